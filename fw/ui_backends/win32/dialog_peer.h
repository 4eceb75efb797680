#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "fw/ui/dialog_template.h"
#include "fw/ui_backends/ui_backend.h"
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

    // The dialog procedure; lParam of WM_INITDIALOG is the peer.
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

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
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL OnInitDialog(HWND hwnd);
    INT_PTR OnPaint();
    // The control with that id if its window class is of that kind.
    HWND ControlOf(int id, ControlKind kind) const;
    void CenterOnOwnerOrScreen() const;
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
    std::map<int, std::unique_ptr<ListPeer>> m_lists;
    std::map<int, std::unique_ptr<EditPeer>> m_edits;
    std::map<int, std::unique_ptr<ButtonPeer>> m_buttons;
    // The caption's big and small icons: the resource each came from, and
    // the image loaded for the window's DPI.
    struct CaptionIcon {
        int resourceId = 0;
        UniqueIcon image;
    };
    CaptionIcon m_bigIcon;
    CaptionIcon m_smallIcon;
};

} // namespace fw::win32
