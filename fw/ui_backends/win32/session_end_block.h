#pragma once

#include <windows.h>

#include <string>

namespace fw::win32 {

// Asks Windows not to end the session while the object lives: the screen
// that lists what keeps the session from ending names the window's program
// with reason (in the display code page).
class SessionEndBlock {
public:
    SessionEndBlock(HWND window, const std::string& reason);
    ~SessionEndBlock();
    SessionEndBlock(const SessionEndBlock&) = delete;
    SessionEndBlock& operator=(const SessionEndBlock&) = delete;

private:
    HWND m_window;
    bool m_blocking;
};

} // namespace fw::win32
