#include "fw/ui_backends/win32/session_end_block.h"

#include "fw/platform/windows/wide_text.h"
#include "fw/ui/stoppable_work.h"

namespace fw::win32 {

ShutdownBlock::ShutdownBlock(HWND window, const std::string& reason)
    : m_window(window),
      m_blocking(window != nullptr &&
                 ShutdownBlockReasonCreate(window, WideFromDisplayText(reason).c_str())) {}

ShutdownBlock::~ShutdownBlock() {
    if (m_blocking) {
        ShutdownBlockReasonDestroy(m_window);
    }
}

bool SessionMayEnd() {
    return !IsWorkRunning();
}

void SessionEnding(bool ending) {
    if (!ending || !IsWorkRunning()) {
        return;
    }
    StopRunningWork(kStopWorkTimeout);
    ExitProcess(0);
}

} // namespace fw::win32
