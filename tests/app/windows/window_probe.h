#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

// Reading and driving the windows of another process through their
// messages. Every wait is bounded.
namespace probe {

inline constexpr DWORD kWaitMs = 15000;

// Text of a window or control (WM_GETTEXT, so an edit field's current text).
std::wstring Text(HWND hwnd);
std::wstring ClassName(HWND hwnd);
// Rectangle of a child in its parent's client coordinates.
RECT RectInParent(HWND child);
// Children in z-order, which for a dialog is the template (tab) order.
std::vector<HWND> Children(HWND parent);

// The join dialog of process: a dialog box holding list 1002, visible.
HWND WaitForJoinDialog(DWORD processId, DWORD timeoutMs = kWaitMs);
// Any window of the process holding control 1002, visible or not.
HWND FindJoinDialogWindow(DWORD processId);

enum class BoxIcon { none, information, stop, question, other };
const char* IconName(BoxIcon icon);

struct MessageBoxView {
    HWND hwnd = nullptr;
    std::wstring caption;
    std::wstring text;
    BoxIcon icon = BoxIcon::none;
    std::vector<int> buttonIds;
};

// The next visible message box of the process (a dialog box without control
// 1002 or a progress bar); none after timeoutMs.
std::optional<MessageBoxView> WaitForMessageBox(DWORD processId, DWORD timeoutMs = kWaitMs);
// Presses button id (IDOK, IDCANCEL) of a message box and waits until it goes.
bool Answer(const MessageBoxView& box, int id, DWORD timeoutMs = kWaitMs);

std::vector<std::wstring> ListEntries(HWND list);
int ListSelection(HWND list);
bool SelectEntry(HWND list, int index);
bool SetText(HWND control, const std::wstring& text);
// A click on button id of dialog, posted so that a message box it opens
// does not block the caller.
void Click(HWND dialog, int id);
// Enter pressed on the control that has the focus in the process's window.
bool PressEnter(HWND window);

// The visible window of the process that holds a progress bar, and the
// bar; nulls where there is none.
std::pair<HWND, HWND> FindProgressWindow(DWORD processId);
int BarPosition(HWND bar);
// Escape pressed on the control that has the focus in the process's window.
void PressEscape(HWND window);

// Writes the window's pixels on the screen as a PNG file.
bool CaptureWindow(HWND hwnd, const std::wstring& path);

// Waits until condition holds; false after timeoutMs.
template <typename Condition> bool WaitUntil(Condition condition, DWORD timeoutMs = kWaitMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(50);
    }
}

} // namespace probe
