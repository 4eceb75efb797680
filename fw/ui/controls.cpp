#include "fw/ui/controls.h"

#include <stdexcept>

#include "fw/ui/ui_backend.h"

namespace {
[[noreturn]] void ThrowUnbound() {
    throw std::logic_error("control used before it was bound");
}
} // namespace

fw::IListPeer& CListBox::Peer() const {
    if (m_peer == nullptr)
        ThrowUnbound();
    return *m_peer;
}

int CListBox::AddString(const std::string& text) {
    return Peer().AddString(text);
}
int CListBox::InsertString(int index, const std::string& text) {
    return Peer().InsertString(index, text);
}
int CListBox::DeleteString(int index) {
    return Peer().DeleteString(index);
}
int CListBox::GetCount() const {
    return Peer().GetCount();
}
void CListBox::GetText(int index, std::string& text) const {
    Peer().GetText(index, text);
}
int CListBox::GetCurSel() const {
    return Peer().GetCurSel();
}
int CListBox::SetCurSel(int index) {
    return Peer().SetCurSel(index);
}

fw::IEditPeer& CEdit::Peer() const {
    if (m_peer == nullptr)
        ThrowUnbound();
    return *m_peer;
}

std::string CEdit::GetWindowText() const {
    return Peer().GetText();
}
void CEdit::SetWindowText(const std::string& text) {
    Peer().SetText(text);
}

fw::IButtonPeer& CButton::Peer() const {
    if (m_peer == nullptr)
        ThrowUnbound();
    return *m_peer;
}

void CButton::SetIcon(fw::IconHandle icon) {
    Peer().SetIcon(icon);
}
