#pragma once

#include <string>

#include "fw/ui/ui_types.h"

namespace fw {
class IListPeer;
class IEditPeer;
class IButtonPeer;
} // namespace fw

// Control objects a dialog binds to its controls by data exchange
// (DDX_Control). Using one before it is bound throws std::logic_error.

class CListBox {
public:
    void Attach(fw::IListPeer* peer) { m_peer = peer; }

    int AddString(const std::string& text);
    int InsertString(int index, const std::string& text);
    int DeleteString(int index);
    int GetCount() const;
    // Entry index into text (left as it was when index is out of range).
    void GetText(int index, std::string& text) const;
    int GetCurSel() const;
    int SetCurSel(int index);

private:
    fw::IListPeer& Peer() const;
    fw::IListPeer* m_peer = nullptr;
};

class CEdit {
public:
    void Attach(fw::IEditPeer* peer) { m_peer = peer; }

    std::string GetWindowText() const;
    void SetWindowText(const std::string& text);

private:
    fw::IEditPeer& Peer() const;
    fw::IEditPeer* m_peer = nullptr;
};

class CButton {
public:
    void Attach(fw::IButtonPeer* peer) { m_peer = peer; }

    // Shows the icon as the button's image.
    void SetIcon(fw::IconHandle icon);

private:
    fw::IButtonPeer& Peer() const;
    fw::IButtonPeer* m_peer = nullptr;
};
