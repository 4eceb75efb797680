#include "fw/ui_backends/mem/ui_backend.h"

#include "fw/core/win_app.h"
#include "fw/ui/dialog.h"
#include "fw/ui/message_box_style.h"

namespace fw::mem {

namespace {
// Detaches the window from the dialog however the run ends.
class RunScope {
public:
    RunScope(UiBackend& backend, CDialog& dialog, DialogPeer& window)
        : m_backend(backend), m_dialog(dialog), m_previous(backend.current) {
        m_dialog.AttachPeer(&window);
        m_backend.current = &window;
    }
    ~RunScope() {
        m_dialog.AttachPeer(nullptr);
        m_backend.current = m_previous;
    }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;

private:
    UiBackend& m_backend;
    CDialog& m_dialog;
    DialogPeer* m_previous;
};
// Records what the work reports into its run and lets the test press
// cancel.
class RecordingProgress final : public IWorkProgress {
public:
    RecordingProgress(ProgressRun& run, const std::function<bool(const ProgressRun&)>& onProgress)
        : m_run(run), m_onProgress(onProgress) {}

    void SetTotal(std::uint64_t bytes) override { m_run.total = bytes; }
    void SetItem(int index) override { m_run.item = index; }
    void Advance(std::uint64_t bytes) override {
        m_run.done += bytes;
        ++m_run.reports;
        if (m_onProgress && m_onProgress(m_run))
            m_run.cancelRequested = true;
    }
    void SetFinishing() override { m_run.finishing = true; }
    bool CancelRequested() const override { return m_run.cancelRequested; }

private:
    ProgressRun& m_run;
    const std::function<bool(const ProgressRun&)>& m_onProgress;
};

} // namespace

int UiBackend::RunModal(CDialog& dialog, const DialogTemplate& dialogTemplate) {
    ++modalRuns;
    DialogPeer window(dialog, dialogTemplate);
    RunScope scope(*this, dialog, window);
    dialog.HandleInitDialog();
    if (!window.Ended()) {
        window.MarkShown();
        if (onShown)
            onShown(window);
        if (!window.Ended())
            window.PressEscape();
        // A dialog that refuses to end is torn down like a destroyed window.
        if (!window.Ended())
            window.EndDialog(kIdCancel);
    }
    return window.Result();
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
    RecordingProgress progress(run, onProgress);
    struct Record {
        std::vector<ProgressRun>& runs;
        ProgressRun& run;
        ~Record() { runs.push_back(run); }
    } record{progressRuns, run};
    work(progress);
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
    struct Uninstall {
        ~Uninstall() { SetBackend(nullptr); }
    } uninstall;
    return RunApplication();
}

} // namespace fw::mem
