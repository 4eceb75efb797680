#pragma once

#include <windows.h>

#include <shobjidl.h>

namespace fw::win32 {

// The progress on a window's taskbar button (ITaskbarList3). Does nothing
// where the shell offers no such interface. Cleared when the object goes.
class TaskbarProgress {
public:
    explicit TaskbarProgress(HWND window);
    ~TaskbarProgress();
    TaskbarProgress(const TaskbarProgress&) = delete;
    TaskbarProgress& operator=(const TaskbarProgress&) = delete;

    // fraction from 0 to 1, in the normal state.
    void Show(double fraction);
    // The error state, while a failure is reported.
    void ShowError();
    void Clear();

private:
    HWND m_window;
    bool m_comStarted = false;
    ITaskbarList3* m_taskbar = nullptr;
};

} // namespace fw::win32
