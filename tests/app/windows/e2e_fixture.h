#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "tests/app/windows/korvane_process.h"
#include "tests/app/windows/window_probe.h"

// Each test gets a folder of its own under the prefix's temporary folder,
// starts korvane.exe with an exact command line and drives its windows.
class KorvaneE2E : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates folder\name (sub-folders included) holding size bytes of a
    // pattern that differs by seed; returns its full path.
    std::wstring MakeFile(const std::wstring& name, std::size_t size, unsigned seed);
    std::wstring PathOf(const std::wstring& name) const;
    // An input of 64 GiB of holes, whose join takes far longer than a test
    // waits; its path, or empty when it cannot be made.
    std::wstring MakeLongJoinInput(const std::wstring& name);

    // Starts korvane.exe (or exe) with this exact command line.
    KorvaneProcess& Start(const std::wstring& commandLine, const std::wstring& exe = {});
    // Starts it with the quoted program path followed by each path quoted.
    KorvaneProcess& StartWithFiles(std::initializer_list<std::wstring> paths,
                                   const std::wstring& exe = {});

    // The dialog of the running program; fails the test when it does not show.
    HWND Dialog();
    HWND Control(int id) { return GetDlgItem(Dialog(), id); }

    // Presses join, confirms, and returns the box that follows. Given
    // whileJoining, calls it once the join's progress window shows (or the
    // wait for it ends) and waits for a box only briefly after it.
    std::optional<probe::MessageBoxView>
    JoinAndConfirm(const std::function<void(HWND progressWindow)>& whileJoining = {});
    // Expects a box with this icon and text, then answers OK.
    void ExpectBoxAndAnswer(probe::BoxIcon icon, const std::wstring& text);

    DWORD ProcessId() const { return m_process->Id(); }

    std::filesystem::path m_folder;

private:
    std::unique_ptr<KorvaneProcess> m_process;
    HWND m_dialog = nullptr;
};

std::string ReadFileBytes(const std::wstring& path);
// Makes path a file of size bytes that are all holes.
bool MakeSparseFile(const std::wstring& path, std::uint64_t size);
// The bytes MakeFile wrote for size and seed.
std::string PatternOf(std::size_t size, unsigned seed);
// The join of inputs: the first whole, the others without their first 5000.
std::string Joined(std::initializer_list<std::string> inputs);
std::wstring DesktopDirectory();
// Where the screenshots go: KORVANE_SCREENSHOT_DIR, else beside this program.
std::wstring ScreenshotPath(const std::wstring& name);
std::string Narrow(const std::wstring& text); // UTF-8, for failure messages
