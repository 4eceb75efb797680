#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace fw::qt {

// How the program ends with the session on Linux without leaving a join's
// output half-written. SIGTERM, SIGHUP and SIGINT (each unless it was
// ignored when the program started) reach the event loop through a pipe;
// there the running work is stopped as the user's cancel stops it, and then
// the signal ends the program as it would have. When the window system's
// connection breaks, Qt ends the process itself; the running work is stopped
// first then too. Needs the QApplication; one per process.
class SessionEnd final : public QObject {
public:
    SessionEnd();
    ~SessionEnd() override;
    SessionEnd(const SessionEnd&) = delete;
    SessionEnd& operator=(const SessionEnd&) = delete;

private:
    void OnSignal();

    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace fw::qt
