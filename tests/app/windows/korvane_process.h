#pragma once

#include <windows.h>

#include <optional>
#include <string>

// korvane.exe started for one test with an exact command line, ended (if it
// still runs) when the object goes.
class KorvaneProcess {
public:
    // commandLine is passed to CreateProcessW unchanged.
    explicit KorvaneProcess(const std::wstring& commandLine);
    ~KorvaneProcess();
    KorvaneProcess(const KorvaneProcess&) = delete;
    KorvaneProcess& operator=(const KorvaneProcess&) = delete;

    bool Started() const { return m_process != nullptr; }
    DWORD Id() const { return m_id; }
    // The exit status, or none when the process still runs after timeoutMs.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs) const;

private:
    HANDLE m_process = nullptr;
    DWORD m_id = 0;
};

// The program under test (KORVANE_EXE; a Unix path is taken through drive Z:).
std::wstring KorvaneExePath();

// A path as a Windows program sees it: a Unix path from the environment of
// the test run goes through drive Z:.
std::wstring WindowsPathFromEnvironment(const wchar_t* variable);

// text in double quotes.
std::wstring Quoted(const std::wstring& text);
