#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "fw/ui/control_peer_map.h"
#include "fw/ui/ui_backend.h"
#include "fw/ui_backends/mem/control_peers.h"

class CDialog;

namespace fw::mem {

// A dialog window held in memory, with the controls of its template. Tests
// reach it while the dialog runs and act on it as a user would.
class DialogPeer : public IDialogPeer {
public:
    // user is the test acting as the user (see RunModal).
    DialogPeer(CDialog& dialog, const DialogTemplate& dialogTemplate,
               std::function<void(DialogPeer&)> user);

    // The modal run: initialises the dialog, then, if it did not end, shows
    // the window and calls user with it. A dialog still open when user
    // returns is closed with the cancel command, as by the close box.
    // Returns the EndDialog result.
    int RunModal();

    // IDialogPeer. Every control lookup is recorded (BoundIds).
    IListPeer* ListBox(int id) override;
    IEditPeer* Edit(int id) override;
    IButtonPeer* Button(int id) override;
    void EndDialog(int result) override;
    void SetIcon(IconHandle icon, bool big) override;
    void RedrawAll() override { ++m_redraws; }
    bool IsIconic() const override { return m_iconic; }
    Rect GetClientRect() const override { return m_clientRect; }
    std::unique_ptr<IPaintContext> BeginPaint() override;
    void DefaultPaint() override { m_paintLog.push_back("default"); }

    // What a user does. Each goes through the dialog's command routing as
    // the platform's would; acting on an ended dialog, or on one that takes
    // no input (BlockInput), does nothing.
    void SelectEntry(int listId, int index);
    void ClickButton(int id);
    void SetEditText(int id, const std::string& text);
    void PressEnter();  // the default button: the OK command
    void PressEscape(); // the cancel command
    void Paint();       // WM_PAINT
    IconHandle QueryDragIcon();

    // What the dialog did.
    bool Shown() const { return m_shown; }
    bool Ended() const { return m_ended; }
    int Result() const { return m_result; }
    const std::vector<int>& BoundIds() const { return m_boundIds; }
    // (icon, big) per WM_SETICON, in order.
    const std::vector<std::pair<IconHandle, bool>>& IconsSet() const { return m_iconsSet; }
    int Redraws() const { return m_redraws; }
    const std::vector<std::string>& PaintLog() const { return m_paintLog; }
    ListPeer& List(int id);
    EditPeer& EditField(int id);
    ButtonPeer& PushButton(int id);

    // The window's state the platform would set.
    void SetIconic(bool iconic) { m_iconic = iconic; }
    // While long work runs the window takes no input.
    void BlockInput(bool blocked) { m_inputBlocked = blocked; }
    void SetClientRect(Rect rect) { m_clientRect = rect; }

private:
    friend class PaintContext;

    bool TakesInput() const { return !m_ended && !m_inputBlocked; }

    CDialog& m_dialog;
    std::function<void(DialogPeer&)> m_user;
    ControlPeerMap<ListPeer> m_lists;
    ControlPeerMap<EditPeer> m_edits;
    ControlPeerMap<ButtonPeer> m_buttons;
    std::vector<int> m_boundIds;
    std::vector<std::pair<IconHandle, bool>> m_iconsSet;
    std::vector<std::string> m_paintLog;
    Rect m_clientRect;
    int m_redraws = 0;
    int m_result = 0;
    bool m_shown = false;
    bool m_ended = false;
    bool m_iconic = false;
    bool m_inputBlocked = false;
};

} // namespace fw::mem
