#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/resource_ids.h"
#include "fw/platform/process_command_line.h"
#include "fw/ui_backends/mem/ui_backend.h"
#include "tests/fw/file/file_faults.h"

// Runs the real application object on the in-memory backend, with its own
// home, desktop and configuration folders and a UTF-8 locale.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "korvane-app-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        m_home = m_root / "home";
        std::filesystem::create_directories(m_home / "Desktop");
        std::filesystem::create_directories(m_root / "config");
        setenv("HOME", m_home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (m_root / "config").c_str(), 1);
        setenv("LC_ALL", "C.UTF-8", 1);
        ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
    }

    void TearDown() override {
        file_faults::Clear();
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }

    // Starts the program with these arguments (after the program's path) and
    // returns its exit status. script runs while the dialog is open.
    int Run(const std::vector<std::string>& arguments,
            std::function<void(fw::mem::DialogPeer&)> script = {}) {
        std::vector<std::string> words{backend.programPath};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        fw::SetProcessArguments(static_cast<int>(words.size()), argv.data());
        backend.onShown = std::move(script);
        return fw::mem::RunApplicationOn(backend);
    }

    // A file of size bytes whose content differs per seed and per offset.
    std::string MakeFile(const std::string& name, std::size_t size, unsigned seed) {
        std::filesystem::path path = m_root / name;
        std::ofstream out(path, std::ios::binary);
        for (std::size_t i = 0; i < size; ++i)
            out.put(static_cast<char>((i * 31 + seed * 97 + i / 251) & 0xFF));
        return path.string();
    }

    static std::string ReadAll(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::string Desktop() const { return (m_home / "Desktop").string(); }
    std::string InRoot(const std::string& name) const { return (m_root / name).string(); }

    fw::mem::UiBackend backend;

private:
    std::filesystem::path m_root;
    std::filesystem::path m_home;
};
