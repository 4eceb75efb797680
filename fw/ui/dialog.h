#pragma once

#include <functional>
#include <string>

#include "fw/ui/cmd_target.h"
#include "fw/ui/controls.h"
#include "fw/ui/ui_types.h"
#include "fw/ui/work_progress.h"

namespace fw {
class IDialogPeer;
}

class CDialog;

// Passed to DoDataExchange: binds member controls to the dialog's window.
class CDataExchange {
public:
    explicit CDataExchange(CDialog* dialog) : m_pDlgWnd(dialog) {}

    CDialog* m_pDlgWnd;
};

// Binds control to the dialog's control id (again on every call, so a
// dialog run a second time binds to its new window). Throws std::logic_error when the dialog has no
// control of that kind with that id.
void DDX_Control(CDataExchange* pDX, int id, CListBox& control);
void DDX_Control(CDataExchange* pDX, int id, CEdit& control);
void DDX_Control(CDataExchange* pDX, int id, CButton& control);

// A modal dialog built from a registered template (fw/ui/dialog_template.h).
class CDialog : public CCmdTarget {
public:
    explicit CDialog(int templateId);
    ~CDialog() override;

    // Runs the dialog modally on the installed backend and returns the
    // EndDialog result; -1 when the template is unknown or the window could
    // not be created.
    virtual int DoModal();

    // Ends the modal run once the current handler returns.
    void EndDialog(int result);

    // A message box owned by this dialog, captioned with the application's
    // name; returns the answer (fw::kIdOk or fw::kIdCancel).
    int ShowMessage(const std::string& text, unsigned style);

    // Runs work off the UI thread while this dialog stays alive, with a
    // progress window captioned with the application's name once it lasts
    // (fw::IUiBackend::RunWithProgress).
    void RunWithProgress(const fw::ProgressWindowTexts& texts,
                         const std::function<void(fw::IWorkProgress&)>& work);

    // Runs DoDataExchange, which binds the member controls.
    bool UpdateData();

    void SetIcon(fw::IconHandle icon, bool big);
    // Invalidates, erases and repaints the whole dialog at once.
    void RedrawWindow();
    bool IsIconic() const;
    fw::Rect GetClientRect() const;

    // Entry points for the backend running the dialog.
    void AttachPeer(fw::IDialogPeer* peer) { m_peer = peer; }
    fw::IDialogPeer* Peer() const { return m_peer; }
    // Calls OnInitDialog; returns its result, or true when it threw (the
    // exception is reported as a handler's is, and the focus goes to the
    // first tab stop).
    bool HandleInitDialog();
    // Routes a command from control id: the message table first, then OK
    // (fw::kIdOk) to OnOK and cancel (fw::kIdCancel) to OnCancel. Returns
    // whether anything handled it. Exceptions escaping the handler are
    // reported (see fw/ui/handler_error_report.h) and the dialog goes on.
    // One command runs at a time, however it came (a click, accessibility's
    // press action, a message posted to the window): a command that arrives
    // while a handler still runs (a join with its message boxes and
    // progress, which keep the window system's messages flowing) counts as
    // handled and does nothing then; a cancel among them is carried out once
    // that handler has returned, so closing the window is never lost.
    bool HandleCommand(int id);
    // WM_PAINT: the table's paint handler, else the default painting.
    void HandlePaint();
    // WM_QUERYDRAGICON: the table's handler's icon, else an empty handle
    // (the platform then uses its default).
    fw::IconHandle HandleQueryDragIcon();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Binds the controls (UpdateData); returns true so the platform
    // gives the focus to the first tab stop.
    virtual bool OnInitDialog();
    // OK command: ends the dialog with fw::kIdOk.
    virtual void OnOK();
    // Cancel command: ends the dialog with fw::kIdCancel.
    virtual void OnCancel();
    // Default painting.
    void OnPaint();

    DECLARE_MESSAGE_MAP()

private:
    fw::IDialogPeer& PeerOrThrow() const;

    int m_templateId;
    fw::IDialogPeer* m_peer = nullptr;
    // Runs one command's handler, marked as running.
    bool RouteCommand(int id);

    bool m_inCommand = false;
    bool m_cancelPending = false;
};
