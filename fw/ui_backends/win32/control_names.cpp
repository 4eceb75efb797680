#include "fw/ui_backends/win32/control_names.h"

#include <commctrl.h>
#include <initguid.h>
#include <oleacc.h>

#include "fw/platform/windows/wide_text.h"

namespace fw::win32 {

ControlNames::ControlNames(HWND dialog, const DialogTemplate& dialogTemplate) {
    // The dialog's children, in creation order, are the template's controls.
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    if (children.size() != dialogTemplate.controls.size()) {
        return;
    }
    for (std::size_t i = 0; i < children.size(); ++i) {
        const DialogControl& control = dialogTemplate.controls[i];
        const std::wstring name = WideFromDisplayText(dialogTemplate.AccessibleName(control));
        if (name.empty()) {
            continue;
        }
        if (control.ShowsIcon()) {
            AddTooltip(dialog, children[i], name);
        }
        const DialogControl* label = dialogTemplate.LabelOf(control);
        if (label != nullptr && (i == 0 || &dialogTemplate.controls[i - 1] != label)) {
            Annotate(children[i], name);
        }
    }
}

ControlNames::~ControlNames() {
    const MSAAPROPID name = PROPID_ACC_NAME;
    for (HWND control : m_annotated) {
        m_services->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name,
                                   1);
    }
}

void ControlNames::AddTooltip(HWND dialog, HWND button, const std::wstring& text) {
    if (m_tooltip == nullptr) {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES};
        InitCommonControlsEx(&classes);
        // Owned by the dialog, so it goes with it.
        m_tooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0,
                                    0, dialog, nullptr, nullptr, nullptr);
        if (m_tooltip == nullptr) {
            return;
        }
    }
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = const_cast<wchar_t*>(text.c_str()); // copied by the control
    SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ControlNames::Annotate(HWND control, const std::wstring& name) {
    if (!m_services &&
        FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices,
                                reinterpret_cast<void**>(m_services.ReleaseAndGetAddressOf())))) {
        m_services.Reset();
        return;
    }
    if (SUCCEEDED(m_services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT),
                                             CHILDID_SELF, PROPID_ACC_NAME, name.c_str()))) {
        m_annotated.push_back(control);
    }
}

} // namespace fw::win32
