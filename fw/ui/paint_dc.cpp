#include "fw/ui/paint_dc.h"

#include <stdexcept>

#include "fw/ui/dialog.h"
#include "fw/ui/ui_backend.h"

CPaintDC::CPaintDC(CDialog& window) {
    if (window.Peer() == nullptr)
        throw std::logic_error("painting a dialog without a window");
    m_context = window.Peer()->BeginPaint();
}

CPaintDC::~CPaintDC() = default;

void CPaintDC::EraseIconBackground() {
    if (m_context)
        m_context->EraseIconBackground();
}

void CPaintDC::DrawIcon(int x, int y, fw::IconHandle icon) {
    if (m_context)
        m_context->DrawIcon(x, y, icon);
}

namespace fw {
Size SystemIconSize() {
    return Backend().SystemIconSize();
}
} // namespace fw
