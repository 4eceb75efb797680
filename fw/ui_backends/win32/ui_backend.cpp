#include "fw/ui_backends/win32/ui_backend.h"

#include "fw/platform/windows/wide_text.h"
#include "fw/ui/dialog.h"
#include "fw/ui/dialog_attachment.h"
#include "fw/ui/message_box_style.h"
#include "fw/ui/run_with_progress.h"
#include "fw/ui_backends/win32/dialog_peer.h"
#include "fw/ui_backends/win32/progress_host.h"

namespace fw::win32 {
namespace {

HWND WindowOf(IDialogPeer* peer) {
    return peer != nullptr ? DialogPeerOf(peer)->Handle() : nullptr;
}

} // namespace

std::string UiBackend::ProgramPath() const {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return ActiveCodePageFromWide(path);
        }
        path.resize(path.size() * 2);
    }
}

int UiBackend::RunModal(CDialog& dialog, const DialogTemplate& dialogTemplate) {
    DialogPeer window(dialog, *this, dialogTemplate);
    const DialogAttachment attachment(dialog, window);
    return window.RunModal();
}

int UiBackend::ShowMessageBox(IDialogPeer* owner, const std::string& text,
                              const std::string& caption, unsigned style) {
    // Owned by the dialog's last active pop-up (a box over a box stacks).
    HWND ownerWindow = WindowOf(owner);
    if (ownerWindow != nullptr) {
        ownerWindow = GetLastActivePopup(ownerWindow);
    }
    // A failure right after long work shows on its taskbar button too.
    const std::unique_ptr<TaskbarProgress> endedProgress = std::move(m_endedProgress);
    if (endedProgress && IconOf(style) == kMbIconStop) {
        endedProgress->ShowError();
    }
    const int answer = MessageBoxW(ownerWindow, WideFromDisplayText(text).c_str(),
                                   WideFromDisplayText(caption).c_str(), style);
    // A box that could not be shown counts as cancelled.
    return answer == IDOK ? kIdOk : kIdCancel;
}

void UiBackend::RunWithProgress(IDialogPeer* owner, const std::string& caption,
                                const ProgressWindowTexts& texts,
                                const std::function<void(IWorkProgress&)>& work) {
    m_endedProgress.reset();
    ProgressHost host(WindowOf(owner), caption, texts, m_endedProgress);
    fw::RunWithProgress(host, texts, work);
}

void UiBackend::BeginWaitCursor() {
    if (m_waitCursorDepth++ == 0) {
        m_cursorBeforeWait = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    }
}

void UiBackend::EndWaitCursor() {
    if (m_waitCursorDepth == 0) {
        return;
    }
    if (--m_waitCursorDepth == 0) {
        SetCursor(m_cursorBeforeWait != nullptr ? m_cursorBeforeWait
                                                : LoadCursorW(nullptr, IDC_ARROW));
    }
}

IconHandle UiBackend::LoadIconResource(int resourceId) {
    HICON icon = LoadIconW(m_instance, MAKEINTRESOURCEW(resourceId));
    return {resourceId, icon};
}

Size UiBackend::SystemIconSize() const {
    return {GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
}

} // namespace fw::win32
