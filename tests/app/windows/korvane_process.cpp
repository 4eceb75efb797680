#include "tests/app/windows/korvane_process.h"

#include <vector>

KorvaneProcess::KorvaneProcess(const std::wstring& commandLine) {
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const std::wstring exe = KorvaneExePath();
    if (CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info)) {
        CloseHandle(info.hThread);
        m_process = info.hProcess;
        m_id = info.dwProcessId;
        // Ready for input once its first window waits for messages.
        WaitForInputIdle(m_process, 10000);
    }
}

KorvaneProcess::~KorvaneProcess() {
    if (m_process == nullptr) {
        return;
    }
    if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process, 99);
        WaitForSingleObject(m_process, 5000);
    }
    CloseHandle(m_process);
}

std::optional<DWORD> KorvaneProcess::WaitForExit(DWORD timeoutMs) const {
    if (m_process == nullptr || WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD status = 0;
    GetExitCodeProcess(m_process, &status);
    return status;
}

std::wstring WindowsPathFromEnvironment(const wchar_t* variable) {
    wchar_t value[4096] = {};
    const DWORD length = GetEnvironmentVariableW(variable, value, 4096);
    if (length == 0 || length >= 4096) {
        return {};
    }
    std::wstring path(value, length);
    if (path.front() == L'/') {
        for (wchar_t& c : path) {
            if (c == L'/') {
                c = L'\\';
            }
        }
        path = L"Z:" + path;
    }
    return path;
}

std::wstring KorvaneExePath() {
    return WindowsPathFromEnvironment(L"KORVANE_EXE");
}

std::wstring Quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}
