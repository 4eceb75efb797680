#pragma once

#include <windows.h>

#include <shobjidl.h>

#include "fw/ui_backends/win32/scoped_handles.h"

namespace fw::win32 {

// The progress on a window's taskbar button (ITaskbarList3). Does nothing
// where the shell offers no such interface or the thread has no COM.
// Cleared when the object goes.
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
    ComPtr<ITaskbarList3> m_taskbar;
};

} // namespace fw::win32
