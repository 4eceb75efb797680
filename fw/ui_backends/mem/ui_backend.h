#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "fw/ui/message_box_style.h"
#include "fw/ui/ui_backend.h"
#include "fw/ui_backends/mem/dialog_peer.h"
#include "fw/ui_backends/mem/progress_host.h"

namespace fw::mem {

// A message box as the program showed it.
struct MessageRecord {
    unsigned style = 0;
    std::string caption;
    std::string text;
    bool ownedByDialog = false; // owner was the running dialog's window
    bool dialogShown = false;   // that window was visible at the time
    int waitCursorDepth = 0;    // begins minus ends when the box showed
    int answer = 0;
};

enum class CursorCall { Begin, End };

// A backend without a display. Its dialogs run in DialogPeer::RunModal, which
// hands the shown window to onShown: the test acts as the user there.
class UiBackend : public IUiBackend {
public:
    std::string ProgramPath() const override { return programPath; }
    int RunModal(CDialog& dialog, const DialogTemplate& dialogTemplate) override;
    int ShowMessageBox(IDialogPeer* owner, const std::string& text, const std::string& caption,
                       unsigned style) override;
    // Runs the work through fw::RunWithProgress in lock step with this
    // thread (ProgressHost), recording its reports.
    void RunWithProgress(IDialogPeer* owner, const std::string& caption,
                         const ProgressWindowTexts& texts,
                         const std::function<void(IWorkProgress&)>& work) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    IconHandle LoadIconResource(int resourceId) override { return IconHandle{resourceId, nullptr}; }
    Size SystemIconSize() const override { return iconSize; }

    // Set by the test.
    std::string programPath = "/usr/bin/korvane";
    std::function<void(DialogPeer&)> onShown;
    // Answers for OK/Cancel boxes, in order; when none is left they get
    // defaultAnswer. OK-only boxes always answer fw::kIdOk.
    std::deque<int> answers;
    int defaultAnswer = kIdOk;
    // Called after each box is recorded, while it is "open".
    std::function<void(const MessageRecord&)> onMessageBox;
    Size iconSize{32, 32};
    // Called at each tick the progress window shows, one tick after each
    // report of bytes, as the user watching the window; returning true
    // presses its cancel button.
    std::function<bool(const ProgressRun&)> onProgress;
    // How much time the ticker counts for each report of bytes: by default
    // enough for the progress window to show from the first report on.
    std::chrono::milliseconds timePerReport{1000};

    // Recorded.
    std::vector<MessageRecord> messages;
    std::vector<CursorCall> cursorCalls;
    std::vector<ProgressRun> progressRuns;
    int waitCursorDepth = 0;
    int modalRuns = 0;
    DialogPeer* current = nullptr; // the running dialog's window
};

// Installs backend, runs the application object's start-up and returns the
// exit status; the backend is uninstalled again afterwards.
int RunApplicationOn(UiBackend& backend);

} // namespace fw::mem
