#include "fw/ui_backends/win32/session_end.h"

#include <windows.h>

#include "fw/ui/stoppable_work.h"

namespace fw::win32 {

namespace {
bool g_installed = false;
}

SessionEnd::SessionEnd() {
    g_installed = true;
}

SessionEnd::~SessionEnd() {
    g_installed = false;
}

bool SessionEnd::MayEnd() {
    return !g_installed || !IsWorkRunning();
}

void SessionEnd::Ending(bool ending) {
    if (!g_installed || !ending || !IsWorkRunning()) {
        return;
    }
    StopRunningWork(kStopWorkTimeout);
    ExitProcess(0);
}

} // namespace fw::win32
