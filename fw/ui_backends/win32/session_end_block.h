#pragma once

#include <windows.h>

#include <string>

namespace fw::win32 {

// Asks Windows not to end the session while the object lives: the screen
// that lists what keeps the session from ending names the window's program
// with reason (in the display code page).
class ShutdownBlock {
public:
    ShutdownBlock(HWND window, const std::string& reason);
    ~ShutdownBlock();
    ShutdownBlock(const ShutdownBlock&) = delete;
    ShutdownBlock& operator=(const ShutdownBlock&) = delete;

private:
    HWND m_window;
    bool m_blocking;
};

// The program's answers to the session's end, for its main window.
// WM_QUERYENDSESSION: while long work runs, the session is asked not to end
// (false); otherwise it may. WM_ENDSESSION, ending: running work is stopped
// first, as the user's cancel stops it, and the program ends once it has;
// with none running the program ends as Windows ends it.
bool SessionMayEnd();
void SessionEnding(bool ending);

} // namespace fw::win32
