#pragma once

#include <QDialog>
#include <memory>

#include "fw/ui/control_peer_map.h"
#include "fw/ui/dialog_template.h"
#include "fw/ui/ui_backend.h"
#include "fw/ui_backends/qt/dialog_units.h"

class QEventLoop;

namespace fw::qt {

class ButtonPeer;
class EditPeer;
class ListPeer;

// The window of a running dialog, built from its template: a fixed-size
// window without minimize or maximize box (on Wayland under a title bar it
// draws itself, see TitleBar), the controls at the template's
// positions converted with the dialog font's base units, in the template's
// tab order. Clicks, Enter (the default button), Escape and the close box
// go to the dialog object as commands.
class DialogPeer final : public QDialog, public IDialogPeer {
public:
    DialogPeer(CDialog& dialog, const DialogTemplate& dialogTemplate);
    ~DialogPeer() override;

    // The modal run: initialises the dialog, shows the window centred on
    // the screen unless the dialog ended meanwhile, and runs
    // until it ends. Returns the EndDialog result.
    int RunModal();

    BaseUnits Units() const { return m_units; }

    // IDialogPeer
    IListPeer* ListBox(int id) override;
    IEditPeer* Edit(int id) override;
    IButtonPeer* Button(int id) override;
    void EndDialog(int result) override;
    void SetIcon(IconHandle icon, bool big) override;
    void RedrawAll() override;
    bool IsIconic() const override;
    Rect GetClientRect() const override;
    std::unique_ptr<IPaintContext> BeginPaint() override;
    void DefaultPaint() override;

    // Escape (QDialog's reject) ends nothing by itself: it is the cancel
    // command, which the dialog handles.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void CreateControls(const DialogTemplate& dialogTemplate);
    QWidget* CreateButton(const DialogControl& control);
    QWidget* CreateLabel(const DialogControl& control);
    QWidget* CreateListBox(const DialogControl& control);
    QWidget* CreateEdit(const DialogControl& control);
    void CentreOnScreen();
    void FocusFirstTabStop();

    CDialog& m_dialog;
    BaseUnits m_units;
    ControlPeerMap<ListPeer> m_lists;
    ControlPeerMap<EditPeer> m_edits;
    ControlPeerMap<ButtonPeer> m_buttons;
    QList<QWidget*> m_tabStops;
    QEventLoop* m_loop = nullptr;
    bool m_ended = false;
    int m_result = -1;
    bool m_painting = false;
    // Where the client area starts: below the window's own title bar, if
    // it draws one.
    int m_clientTop = 0;
};

// The window behind peer, which like every dialog peer in the process is
// this backend's; null for null.
inline DialogPeer* DialogPeerOf(IDialogPeer* peer) {
    return static_cast<DialogPeer*>(peer);
}

} // namespace fw::qt
