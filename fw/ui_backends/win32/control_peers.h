#pragma once

#include <windows.h>

#include "fw/ui/ui_backend.h"
#include "fw/ui_backends/win32/scoped_handles.h"

// The dialog's list, edit and button controls, driven through their window
// messages. Texts cross to the wide controls by the active code page.
namespace fw::win32 {

class ListPeer final : public IListPeer {
public:
    explicit ListPeer(HWND hwnd) : m_hwnd(hwnd) {}

    int AddString(const std::string& text) override;
    int InsertString(int index, const std::string& text) override;
    int DeleteString(int index) override;
    int GetCount() const override;
    int GetText(int index, std::string& text) const override;
    int GetCurSel() const override;
    int SetCurSel(int index) override;

private:
    // Entry index as wide text; false when out of range.
    bool GetWideText(int index, std::wstring& text) const;

    HWND m_hwnd;
};

class EditPeer final : public IEditPeer {
public:
    explicit EditPeer(HWND hwnd) : m_hwnd(hwnd) {}

    std::string GetText() const override;
    void SetText(const std::string& text) override;

private:
    HWND m_hwnd;
};

// Loads icon resourceId of the window's module in the image drawn for side
// pixels (null where there is none).
HICON LoadIconSized(HWND window, int resourceId, int side);

// An icon from the program's resources shows in the size drawn for the
// window's DPI (32 pixels at 96 DPI), loaded again when the DPI changes.
// Its shape takes the button's text colour where that is not black (dark
// visual styles, high-contrast and dark colour schemes).
class ButtonPeer final : public IButtonPeer {
public:
    explicit ButtonPeer(HWND hwnd) : m_hwnd(hwnd) {}

    void SetIcon(IconHandle icon) override;

    // Shows the icon in the size for dpi and the current button text colour.
    void ScaleIcon(UINT dpi);

private:
    HWND m_hwnd;
    int m_resourceId = 0;
    UniqueIcon m_icon;
};

// The window's DPI: its monitor's where the system tells, else the system's.
UINT WindowDpi(HWND hwnd);

// A system metric (SM_CXICON, ...) as the system gives it at dpi.
int SystemMetricForDpi(int metric, UINT dpi);

} // namespace fw::win32
