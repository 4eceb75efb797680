#pragma once

#include <windows.h>

#include <string>

#include "fw/ui/progress_model.h"

namespace fw::win32 {

// The window of long work, from a dialog template of its own in the owner's
// font: the heading, the item's name shortened in the middle where it does
// not fit, a progress bar (PROGRESS_CLASS), the time left and a cancel
// button. The button, Escape and the close box ask progress to stop.
// Modeless; created hidden and shown, centred on the owner, by the first
// Show.
class ProgressWindow {
public:
    ProgressWindow(HWND owner, const std::string& caption, const ProgressWindowTexts& texts,
                   SharedWorkProgress& progress);
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    HWND Handle() const { return m_hwnd; }
    void Show(const ProgressModel& model);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void CentreOnOwner() const;

    HWND m_owner;
    SharedWorkProgress& m_progress;
    HWND m_hwnd = nullptr;
    std::string m_item;
    std::string m_remaining;
    int m_bar = -1;
};

// The middle of text replaced by "…" so that it fits width pixels in the
// font selected into dc; text itself where it fits.
std::wstring ElideMiddle(HDC dc, const std::wstring& text, int width);

} // namespace fw::win32
