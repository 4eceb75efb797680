#include "fw/ui_backends/win32/ui_backend.h"

#include <exception>
#include <optional>

#include "fw/platform/windows/wide_text.h"
#include "fw/ui/dialog.h"
#include "fw/ui/dialog_attachment.h"
#include "fw/ui/message_box_style.h"
#include "fw/ui/progress_ticker.h"
#include "fw/ui/stoppable_work.h"
#include "fw/ui_backends/win32/dialog_peer.h"
#include "fw/ui_backends/win32/progress_window.h"
#include "fw/ui_backends/win32/shutdown_block.h"

namespace fw::win32 {
namespace {

HWND WindowOf(IDialogPeer* peer) {
    // Every dialog peer in this process is a Win32 one.
    return peer != nullptr ? static_cast<DialogPeer*>(peer)->Handle() : nullptr;
}

// The work and what escaped it, for the thread that runs it.
struct WorkThread {
    const std::function<void(IWorkProgress&)>& work;
    SharedWorkProgress& progress;
    StoppableWork& stoppable;
    std::exception_ptr error;

    static DWORD WINAPI Run(LPVOID parameter) {
        auto* self = static_cast<WorkThread*>(parameter);
        try {
            self->work(self->progress);
        } catch (...) {
            self->error = std::current_exception();
        }
        self->stoppable.Finished();
        return 0;
    }
};

// The thread that runs a WorkThread, waited for and released however the
// loop that watches it ends. Leaving early (an exception) first asks the
// work to stop, since the work uses the caller's frame.
class RunningWork {
public:
    explicit RunningWork(WorkThread& job)
        : m_job(job), m_handle(CreateThread(nullptr, 0, &WorkThread::Run, &job, 0, nullptr)) {}
    ~RunningWork() {
        if (m_handle != nullptr) {
            m_job.progress.RequestCancel();
            Join();
        }
    }
    RunningWork(const RunningWork&) = delete;
    RunningWork& operator=(const RunningWork&) = delete;

    HANDLE Handle() const { return m_handle; }

    void Join() {
        WaitForSingleObject(m_handle, INFINITE);
        CloseHandle(m_handle);
        m_handle = nullptr;
    }

private:
    WorkThread& m_job;
    HANDLE m_handle;
};

// Mouse and keyboard input, which a window busy with long work does not take.
bool IsInput(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

// How often the progress is looked at, in milliseconds.
constexpr auto kTickMs = static_cast<DWORD>(ProgressTicker::kInterval.count());

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
    return window.RunModal(m_instance);
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
    HWND window = WindowOf(owner);
    SharedWorkProgress progress;
    StoppableWork stoppable(progress);
    WorkThread job{work, progress, stoppable, nullptr};
    RunningWork thread(job);
    if (thread.Handle() == nullptr) {
        work(progress);
        return;
    }

    // The window repaints and answers the system but takes no input; the
    // wait cursor stays over it (DialogPeer's WM_SETCURSOR).
    const bool wasEnabled = window != nullptr && IsWindowEnabled(window);
    if (wasEnabled) {
        EnableWindow(window, FALSE);
    }
    std::optional<ProgressWindow> progressWindow;
    std::unique_ptr<TaskbarProgress> taskbar;
    std::optional<ShutdownBlock> shutdownBlock;
    const auto open = [&] {
        progressWindow.emplace(window, caption, texts, progress);
        taskbar = std::make_unique<TaskbarProgress>(window);
        shutdownBlock.emplace(window, texts.heading);
    };
    const auto show = [&](const ProgressModel& model) {
        progressWindow->Show(model);
        taskbar->Show(model.Fraction());
    };
    ProgressTicker ticker(texts, progress, open, show);
    std::optional<WPARAM> quitCode;
    for (;;) {
        HANDLE handle = thread.Handle();
        const DWORD wait =
            MsgWaitForMultipleObjectsEx(1, &handle, kTickMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (wait == WAIT_OBJECT_0 || wait == WAIT_FAILED) {
            break;
        }
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            // The application is ending (the session ends): the join stops,
            // and the quit is passed on to the dialog's loop once it has.
            if (msg.message == WM_QUIT) {
                quitCode = msg.wParam;
                progress.RequestCancel();
                continue;
            }
            if (window != nullptr && IsInput(msg.message) &&
                (msg.hwnd == window || IsChild(window, msg.hwnd))) {
                continue;
            }
            if (progressWindow && IsDialogMessageW(progressWindow->Handle(), &msg)) {
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        ticker.TickIfDue();
    }
    thread.Join();
    if (quitCode) {
        PostQuitMessage(static_cast<int>(*quitCode));
    }

    // The owner is enabled before its pop-up goes, so it is activated again.
    if (wasEnabled) {
        EnableWindow(window, TRUE);
    }
    progressWindow.reset();
    if (taskbar) {
        taskbar->Clear();
        m_endedProgress = std::move(taskbar);
    }
    if (job.error) {
        std::rethrow_exception(job.error);
    }
}

void UiBackend::BeginWaitCursor() {
    if (m_waitCount++ == 0) {
        m_cursorBeforeWait = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    }
}

void UiBackend::EndWaitCursor() {
    if (m_waitCount == 0) {
        return;
    }
    if (--m_waitCount == 0) {
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
