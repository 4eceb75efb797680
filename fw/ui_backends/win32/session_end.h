#pragma once

namespace fw::win32 {

// How the program ends with the session on Windows without leaving a join's
// output half-written. Windows asks each top-level window whether the
// session may end (WM_QUERYENDSESSION) and then tells it whether it ends
// (WM_ENDSESSION); the dialog's window passes both here. While long work
// runs the session is asked not to end; if it ends all the same, the work
// is stopped first, as the user's cancel stops it, and the program ends
// once it has. Made by the program's entry; without one the session ends
// as Windows ends it. One per process.
class SessionEnd {
public:
    SessionEnd();
    ~SessionEnd();
    SessionEnd(const SessionEnd&) = delete;
    SessionEnd& operator=(const SessionEnd&) = delete;

    // WM_QUERYENDSESSION: whether the session may end.
    static bool MayEnd();
    // WM_ENDSESSION.
    static void Ending(bool ending);
};

} // namespace fw::win32
