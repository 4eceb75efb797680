#pragma once

#include <windows.h>

#include <vector>

#include "fw/ui/dialog_template.h"
#include "fw/ui_backends/win32/scoped_handles.h"

struct IAccPropServices;

namespace fw::win32 {

// What assistive technology reads for a dialog's controls, beyond what the
// dialog manager gives by itself. An icon button's window text (not drawn)
// is its name already; it also becomes the button's tooltip. A control
// named by a label that does not directly precede it in the template's
// order, where the system's inference would take the wrong text, gets the
// label's text as an annotation (where the thread has COM). Lives while the
// dialog's window does.
class ControlNames {
public:
    ControlNames(HWND dialog, const DialogTemplate& dialogTemplate);
    ~ControlNames();
    ControlNames(const ControlNames&) = delete;
    ControlNames& operator=(const ControlNames&) = delete;

private:
    void AddTooltip(HWND dialog, HWND button, const std::wstring& text);
    void Annotate(HWND control, const std::wstring& name);

    ComPtr<IAccPropServices> m_services;
    std::vector<HWND> m_annotated;
    HWND m_tooltip = nullptr;
};

} // namespace fw::win32
