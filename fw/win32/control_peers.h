#pragma once

#include <windows.h>

#include "fw/ui_backend.h"

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
    int GetTextLen(int index) const override;
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

class ButtonPeer final : public IButtonPeer {
public:
    explicit ButtonPeer(HWND hwnd) : m_hwnd(hwnd) {}

    void SetIcon(IconHandle icon) override;

private:
    HWND m_hwnd;
};

} // namespace fw::win32
