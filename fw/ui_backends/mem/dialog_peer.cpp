#include "fw/ui_backends/mem/dialog_peer.h"

#include <stdexcept>
#include <utility>

#include "fw/ui/dialog.h"
#include "fw/ui/message_box_style.h"

namespace fw::mem {

namespace {
// The client area a dialog of that size would have with a 6 × 12 pixel
// base unit; tests that care set their own.
Rect NominalClientRect(const DialogTemplate& t) {
    return Rect{0, 0, t.cx * 6 / 4, t.cy * 12 / 8};
}
} // namespace

class PaintContext : public IPaintContext {
public:
    explicit PaintContext(DialogPeer& window) : m_window(window) {
        m_window.m_paintLog.push_back("begin");
    }
    ~PaintContext() override { m_window.m_paintLog.push_back("end"); }

    void EraseIconBackground() override { m_window.m_paintLog.push_back("erase-icon-background"); }
    void DrawIcon(int x, int y, IconHandle icon) override {
        m_window.m_paintLog.push_back("icon " + std::to_string(icon.resourceId) + " at " +
                                      std::to_string(x) + "," + std::to_string(y));
    }

private:
    DialogPeer& m_window;
};

DialogPeer::DialogPeer(CDialog& dialog, const DialogTemplate& dialogTemplate,
                       std::function<void(DialogPeer&)> user)
    : m_dialog(dialog), m_user(std::move(user)), m_clientRect(NominalClientRect(dialogTemplate)) {
    for (const DialogControl& control : dialogTemplate.controls) {
        if (control.id == -1)
            continue;
        const ControlKind kind = KindOf(control);
        if (kind == ControlKind::listBox)
            m_lists[control.id] = std::make_unique<ListPeer>(control.IsSortedList());
        else if (kind == ControlKind::edit)
            m_edits[control.id] = std::make_unique<EditPeer>();
        else if (kind == ControlKind::button)
            m_buttons[control.id] = std::make_unique<ButtonPeer>(control.text);
    }
}

int DialogPeer::RunModal() {
    m_dialog.HandleInitDialog();
    if (!m_ended) {
        m_shown = true;
        if (m_user)
            m_user(*this);
        if (!m_ended)
            PressEscape();
        // A dialog that refuses to end is torn down like a destroyed window.
        if (!m_ended)
            EndDialog(kIdCancel);
    }
    return m_result;
}

IListPeer* DialogPeer::ListBox(int id) {
    m_boundIds.push_back(id);
    return FindControlPeer(m_lists, id);
}

IEditPeer* DialogPeer::Edit(int id) {
    m_boundIds.push_back(id);
    return FindControlPeer(m_edits, id);
}

IButtonPeer* DialogPeer::Button(int id) {
    m_boundIds.push_back(id);
    return FindControlPeer(m_buttons, id);
}

void DialogPeer::EndDialog(int result) {
    if (m_ended)
        return;
    m_ended = true;
    m_result = result;
}

void DialogPeer::SetIcon(IconHandle icon, bool big) {
    m_iconsSet.emplace_back(icon, big);
}

std::unique_ptr<IPaintContext> DialogPeer::BeginPaint() {
    return std::make_unique<PaintContext>(*this);
}

ListPeer& DialogPeer::List(int id) {
    ListPeer* list = FindControlPeer(m_lists, id);
    if (list == nullptr)
        throw std::out_of_range("no list box " + std::to_string(id));
    return *list;
}

EditPeer& DialogPeer::EditField(int id) {
    EditPeer* edit = FindControlPeer(m_edits, id);
    if (edit == nullptr)
        throw std::out_of_range("no edit field " + std::to_string(id));
    return *edit;
}

ButtonPeer& DialogPeer::PushButton(int id) {
    ButtonPeer* button = FindControlPeer(m_buttons, id);
    if (button == nullptr)
        throw std::out_of_range("no button " + std::to_string(id));
    return *button;
}

void DialogPeer::SelectEntry(int listId, int index) {
    if (TakesInput())
        List(listId).SetCurSel(index);
}

void DialogPeer::ClickButton(int id) {
    PushButton(id);
    if (TakesInput())
        m_dialog.HandleCommand(id);
}

void DialogPeer::SetEditText(int id, const std::string& text) {
    if (TakesInput())
        EditField(id).SetText(text);
}

void DialogPeer::PressEnter() {
    if (TakesInput())
        m_dialog.HandleCommand(kIdOk);
}

void DialogPeer::PressEscape() {
    if (TakesInput())
        m_dialog.HandleCommand(kIdCancel);
}

void DialogPeer::Paint() {
    if (!m_ended)
        m_dialog.HandlePaint();
}

IconHandle DialogPeer::QueryDragIcon() {
    return m_ended ? IconHandle{} : m_dialog.HandleQueryDragIcon();
}

} // namespace fw::mem
