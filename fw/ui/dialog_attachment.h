#pragma once

#include "fw/ui/dialog.h"
#include "fw/ui/ui_backend.h"

namespace fw {

// Attaches a dialog's window to the dialog for one modal run and detaches it
// however the run ends, so the dialog never points at a window that is gone.
// Every backend's RunModal holds one around DialogPeer::RunModal.
class DialogAttachment {
public:
    DialogAttachment(CDialog& dialog, IDialogPeer& window) : m_dialog(dialog) {
        m_dialog.AttachPeer(&window);
    }
    ~DialogAttachment() { m_dialog.AttachPeer(nullptr); }
    DialogAttachment(const DialogAttachment&) = delete;
    DialogAttachment& operator=(const DialogAttachment&) = delete;

private:
    CDialog& m_dialog;
};

} // namespace fw
