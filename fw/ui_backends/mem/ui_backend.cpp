#include "fw/ui_backends/mem/ui_backend.h"

#include <utility>

#include "fw/core/win_app.h"
#include "fw/ui/dialog.h"
#include "fw/ui/dialog_attachment.h"
#include "fw/ui/message_box_style.h"
#include "fw/ui/run_with_progress.h"
#include "fw/ui/scope_exit.h"

namespace fw::mem {

int UiBackend::RunModal(CDialog& dialog, const DialogTemplate& dialogTemplate) {
    ++modalRuns;
    DialogPeer window(dialog, dialogTemplate, onShown);
    const DialogAttachment attachment(dialog, window);
    // The running window is current until the run ends, however it ends.
    DialogPeer* const previous = std::exchange(current, &window);
    const ScopeExit running([this, previous] { current = previous; });
    return window.RunModal();
}

int UiBackend::ShowMessageBox(IDialogPeer* owner, const std::string& text,
                              const std::string& caption, unsigned style) {
    MessageRecord record;
    record.style = style;
    record.caption = caption;
    record.text = text;
    record.ownedByDialog = owner != nullptr && owner == current;
    record.dialogShown = current != nullptr && current->Shown();
    record.waitCursorDepth = waitCursorDepth;
    record.answer = kIdOk;
    if (IsOkCancel(style)) {
        if (!answers.empty()) {
            record.answer = answers.front();
            answers.pop_front();
        } else {
            record.answer = defaultAnswer;
        }
    }
    messages.push_back(record);
    if (onMessageBox)
        onMessageBox(record);
    return record.answer;
}

void UiBackend::RunWithProgress(IDialogPeer* owner, const std::string& caption,
                                const ProgressWindowTexts& texts,
                                const std::function<void(IWorkProgress&)>& work) {
    ProgressRun run;
    run.caption = caption;
    run.texts = texts;
    run.ownedByDialog = owner != nullptr && owner == current;
    run.waitCursorDepth = waitCursorDepth;
    const ScopeExit record([this, &run] { progressRuns.push_back(run); });
    ProgressHost host(run.ownedByDialog ? current : nullptr, run, onProgress, timePerReport);
    fw::RunWithProgress(host, texts,
                        [&](IWorkProgress& shared) { work(host.WorkProgress(shared)); });
}

void UiBackend::BeginWaitCursor() {
    cursorCalls.push_back(CursorCall::Begin);
    ++waitCursorDepth;
}

void UiBackend::EndWaitCursor() {
    cursorCalls.push_back(CursorCall::End);
    --waitCursorDepth;
}

int RunApplicationOn(UiBackend& backend) {
    SetBackend(&backend);
    const ScopeExit uninstall([] { SetBackend(nullptr); });
    return RunApplication();
}

} // namespace fw::mem
