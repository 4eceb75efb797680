#include "fw/ui_backends/win32/session_end_block.h"

#include "fw/platform/windows/wide_text.h"

namespace fw::win32 {

SessionEndBlock::SessionEndBlock(HWND window, const std::string& reason)
    : m_window(window),
      m_blocking(window != nullptr &&
                 ShutdownBlockReasonCreate(window, WideFromDisplayText(reason).c_str())) {}

SessionEndBlock::~SessionEndBlock() {
    if (m_blocking) {
        ShutdownBlockReasonDestroy(m_window);
    }
}

} // namespace fw::win32
