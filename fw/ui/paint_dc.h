#pragma once

#include <memory>

#include "fw/ui/ui_types.h"

class CDialog;
namespace fw {
class IPaintContext;
}

// One painting pass over a dialog's window, ended when the object goes.
class CPaintDC {
public:
    explicit CPaintDC(CDialog& window);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    // WM_ICONERASEBKGND with this context.
    void EraseIconBackground();
    void DrawIcon(int x, int y, fw::IconHandle icon);

private:
    std::unique_ptr<fw::IPaintContext> m_context;
};

namespace fw {
// The system's icon size (SM_CXICON, SM_CYICON).
Size SystemIconSize();
} // namespace fw
