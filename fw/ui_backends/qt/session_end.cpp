#include "fw/ui_backends/qt/session_end.h"

#include <QtGlobal>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "fw/ui/stoppable_work.h"

namespace fw::qt {

namespace {

constexpr int kSessionEndSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The pipe from the signal handler to the event loop: read end, write end.
int g_signalPipe[2] = {-1, -1};
QtMessageHandler g_previousMessageHandler = nullptr;

// Only async-signal-safe calls: the signal's number goes down the pipe.
extern "C" void OnSessionEndSignal(int signal) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
    errno = savedErrno;
}

void StopWorkBeforeExit() {
    fw::StopRunningWork(fw::kStopWorkTimeout);
}

// Qt's X11 and Wayland platforms end the process as soon as the display
// connection breaks, the latter with _exit, which runs no exit handler;
// each says so in a warning first, which comes here.
void WatchForBrokenDisplay(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
    if (type == QtWarningMsg && (message.startsWith(QStringLiteral("The Wayland connection")) ||
                                 message.startsWith(QStringLiteral("The X11 connection broke"))))
        StopWorkBeforeExit();
    if (g_previousMessageHandler != nullptr)
        g_previousMessageHandler(type, context, message);
}

bool IsIgnored(int signal) {
    struct sigaction current{};
    return ::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

} // namespace

SessionEnd::SessionEnd() {
    g_previousMessageHandler = qInstallMessageHandler(&WatchForBrokenDisplay);
    std::atexit(&StopWorkBeforeExit);

    if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(g_signalPipe[0], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] { OnSignal(); });
    for (const int signal : kSessionEndSignals) {
        if (IsIgnored(signal))
            continue; // started with it ignored (nohup): it stays so
        struct sigaction action{};
        action.sa_handler = &OnSessionEndSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(signal, &action, nullptr);
    }
}

SessionEnd::~SessionEnd() {
    for (const int signal : kSessionEndSignals) {
        struct sigaction current{};
        if (::sigaction(signal, nullptr, &current) == 0 &&
            current.sa_handler == &OnSessionEndSignal)
            std::signal(signal, SIG_DFL);
    }
    m_notifier.reset();
    for (int& end : g_signalPipe) {
        if (end != -1)
            ::close(end);
        end = -1;
    }
    qInstallMessageHandler(g_previousMessageHandler);
}

void SessionEnd::OnSignal() {
    unsigned char signal = 0;
    if (::read(g_signalPipe[0], &signal, 1) != 1)
        return;
    StopWorkBeforeExit();
    // The program ends as the signal would have ended it without the work.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace fw::qt
