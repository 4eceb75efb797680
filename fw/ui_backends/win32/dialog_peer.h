#pragma once

#include <windows.h>

#include <memory>

#include "fw/ui/control_peer_map.h"
#include "fw/ui/dialog_template.h"
#include "fw/ui/ui_backend.h"
#include "fw/ui_backends/win32/control_names.h"
#include "fw/ui_backends/win32/control_peers.h"

namespace fw::win32 {

class UiBackend;

// A running dialog's window: created by the dialog manager from the
// template in the program's resources, its messages routed to the CDialog
// through the framework's message tables.
class DialogPeer final : public IDialogPeer {
public:
    DialogPeer(CDialog& dialog, const UiBackend& backend, const DialogTemplate& dialogTemplate)
        : m_dialog(dialog), m_backend(backend), m_template(dialogTemplate) {}
    ~DialogPeer() override;
    DialogPeer(const DialogPeer&) = delete;
    DialogPeer& operator=(const DialogPeer&) = delete;

    // The modal run: the dialog manager creates the window from template
    // dialogTemplate.id of the backend's module, initialises the dialog,
    // shows the window unless the dialog ended meanwhile, and runs until it
    // ends. Returns the EndDialog result, -1 when the window could not be
    // created.
    int RunModal();

    HWND Handle() const { return m_hwnd; }

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

private:
    // The dialog procedure; lParam of WM_INITDIALOG is the peer.
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL OnInitDialog(HWND hwnd);
    INT_PTR OnPaint();
    // Peers for the list, edit and button controls the dialog manager made.
    void MakeControlPeers();
    void CentreOnScreen() const;
    // Loads the caption icon of that kind again in the size drawn for dpi.
    void ScaleCaptionIcon(bool big, UINT dpi);

    CDialog& m_dialog;
    const UiBackend& m_backend;
    const DialogTemplate& m_template;
    std::unique_ptr<ControlNames> m_names;
    HWND m_hwnd = nullptr;
    bool m_ended = false;
    bool m_inPaint = false;
    bool m_defaultPaintAsked = false;
    ControlPeerMap<ListPeer> m_lists;
    ControlPeerMap<EditPeer> m_edits;
    ControlPeerMap<ButtonPeer> m_buttons;
    // The caption's big and small icons: the resource each came from, and
    // the image loaded for the window's DPI.
    struct CaptionIcon {
        int resourceId = 0;
        UniqueIcon image;
    };
    CaptionIcon m_bigIcon;
    CaptionIcon m_smallIcon;
};

// The window behind peer, which like every dialog peer in the process is
// this backend's; null for null.
inline DialogPeer* DialogPeerOf(IDialogPeer* peer) {
    return static_cast<DialogPeer*>(peer);
}

} // namespace fw::win32
