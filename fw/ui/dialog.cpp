#include "fw/ui/dialog.h"

#include <stdexcept>
#include <string>
#include <utility>

#include "fw/ui/app_message_box.h"
#include "fw/ui/dialog_template.h"
#include "fw/ui/handler_error_report.h"
#include "fw/ui/message_box_style.h"
#include "fw/ui/scope_exit.h"
#include "fw/ui/ui_backend.h"

namespace {

template <typename Peer> Peer& RequireControl(Peer* peer, int id) {
    if (peer == nullptr)
        throw std::logic_error("dialog has no such control: " + std::to_string(id));
    return *peer;
}

fw::IDialogPeer& DialogPeer(CDataExchange* pDX) {
    fw::IDialogPeer* peer = pDX->m_pDlgWnd->Peer();
    if (peer == nullptr)
        throw std::logic_error("data exchange without a dialog window");
    return *peer;
}

} // namespace

void DDX_Control(CDataExchange* pDX, int id, CListBox& control) {
    control.Attach(&RequireControl(DialogPeer(pDX).ListBox(id), id));
}

void DDX_Control(CDataExchange* pDX, int id, CEdit& control) {
    control.Attach(&RequireControl(DialogPeer(pDX).Edit(id), id));
}

void DDX_Control(CDataExchange* pDX, int id, CButton& control) {
    control.Attach(&RequireControl(DialogPeer(pDX).Button(id), id));
}

BEGIN_MESSAGE_MAP(CDialog, CCmdTarget)
END_MESSAGE_MAP()

CDialog::CDialog(int templateId) : m_templateId(templateId) {}

CDialog::~CDialog() = default;

int CDialog::DoModal() {
    const fw::DialogTemplate* dialogTemplate = fw::FindDialogTemplate(m_templateId);
    if (dialogTemplate == nullptr)
        return -1;
    return fw::Backend().RunModal(*this, *dialogTemplate);
}

fw::IDialogPeer& CDialog::PeerOrThrow() const {
    if (m_peer == nullptr)
        throw std::logic_error("dialog has no window");
    return *m_peer;
}

void CDialog::EndDialog(int result) {
    PeerOrThrow().EndDialog(result);
}

int CDialog::ShowMessage(const std::string& text, unsigned style) {
    return fw::AppMessageBox(m_peer, text, style);
}

void CDialog::RunWithProgress(const fw::ProgressWindowTexts& texts,
                              const std::function<void(fw::IWorkProgress&)>& work) {
    fw::Backend().RunWithProgress(m_peer, fw::AppCaption(), texts, work);
}

bool CDialog::UpdateData() {
    CDataExchange dx(this);
    DoDataExchange(&dx);
    return true;
}

void CDialog::SetIcon(fw::IconHandle icon, bool big) {
    PeerOrThrow().SetIcon(icon, big);
}

void CDialog::RedrawWindow() {
    PeerOrThrow().RedrawAll();
}

bool CDialog::IsIconic() const {
    return PeerOrThrow().IsIconic();
}

fw::Rect CDialog::GetClientRect() const {
    return PeerOrThrow().GetClientRect();
}

void CDialog::DoDataExchange(CDataExchange*) {}

bool CDialog::OnInitDialog() {
    UpdateData();
    return true;
}

void CDialog::OnOK() {
    EndDialog(fw::kIdOk);
}

void CDialog::OnCancel() {
    EndDialog(fw::kIdCancel);
}

void CDialog::OnPaint() {
    PeerOrThrow().DefaultPaint();
}

bool CDialog::HandleInitDialog() {
    try {
        return OnInitDialog();
    } catch (...) {
        fw::ReportHandlerException(m_peer, std::current_exception());
        return true;
    }
}

bool CDialog::HandleCommand(int id) {
    if (m_inCommand) {
        m_cancelPending = m_cancelPending || id == fw::kIdCancel;
        return true;
    }
    const bool handled = RouteCommand(id);
    while (std::exchange(m_cancelPending, false))
        RouteCommand(fw::kIdCancel);
    return handled;
}

bool CDialog::RouteCommand(int id) {
    m_inCommand = true;
    const fw::ScopeExit running([this] { m_inCommand = false; });
    try {
        if (OnCmdMsg(id, fw::kBnClicked))
            return true;
        if (id == fw::kIdOk) {
            OnOK();
            return true;
        }
        if (id == fw::kIdCancel) {
            OnCancel();
            return true;
        }
        return false;
    } catch (...) {
        fw::ReportHandlerException(m_peer, std::current_exception());
        return true;
    }
}

void CDialog::HandlePaint() {
    try {
        const fw::MessageMapEntry* entry =
            fw::FindMessageEntry(GetMessageMap(), fw::kWmPaint, 0, 0);
        if (entry != nullptr && entry->pfnVoid != nullptr)
            (this->*entry->pfnVoid)();
        else
            OnPaint();
    } catch (...) {
        fw::ReportHandlerException(m_peer, std::current_exception());
    }
}

fw::IconHandle CDialog::HandleQueryDragIcon() {
    try {
        const fw::MessageMapEntry* entry =
            fw::FindMessageEntry(GetMessageMap(), fw::kWmQueryDragIcon, 0, 0);
        if (entry != nullptr && entry->pfnIcon != nullptr)
            return (this->*entry->pfnIcon)();
    } catch (...) {
        fw::ReportHandlerException(m_peer, std::current_exception());
    }
    return {};
}
