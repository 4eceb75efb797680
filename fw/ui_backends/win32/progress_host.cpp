#include "fw/ui_backends/win32/progress_host.h"

#include <utility>

namespace fw::win32 {

namespace {

// Mouse and keyboard input, which a window busy with long work does not take.
bool IsInput(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

} // namespace

ProgressHost::ProgressHost(HWND owner, const std::string& caption, const ProgressWindowTexts& texts,
                           std::unique_ptr<TaskbarProgress>& endedProgress)
    : m_owner(owner), m_caption(caption), m_texts(texts), m_endedProgress(endedProgress) {}

ProgressHost::~ProgressHost() {
    if (m_quitCode) {
        PostQuitMessage(static_cast<int>(*m_quitCode));
    }
    m_sessionEndBlock.reset();
    m_window.reset();
    if (m_taskbar) {
        m_taskbar->Clear();
        m_endedProgress = std::move(m_taskbar);
    }
}

void ProgressHost::BlockInput() {
    // The wait cursor stays over the window (DialogPeer's WM_SETCURSOR).
    m_disabled = m_owner != nullptr && IsWindowEnabled(m_owner);
    if (m_disabled) {
        EnableWindow(m_owner, FALSE);
    }
}

void ProgressHost::AllowInput() {
    // Before the progress window goes, so the owner is activated again.
    if (std::exchange(m_disabled, false)) {
        EnableWindow(m_owner, TRUE);
    }
}

bool ProgressHost::RunUntilWoken(ProgressTicker& ticker) {
    constexpr auto kTickMs = static_cast<DWORD>(ProgressTicker::kInterval.count());
    for (;;) {
        if (MsgWaitForMultipleObjectsEx(0, nullptr, kTickMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE) ==
            WAIT_FAILED) {
            Sleep(kTickMs);
        }
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                m_quitCode = msg.wParam;
                return false;
            }
            if (m_owner != nullptr && IsInput(msg.message) &&
                (msg.hwnd == m_owner || IsChild(m_owner, msg.hwnd))) {
                continue;
            }
            if (m_window && IsDialogMessageW(m_window->Handle(), &msg)) {
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (m_woken.load()) {
            return true;
        }
        // Woken by messages too: ticks only when one is due.
        ticker.TickIfDue();
    }
}

void ProgressHost::Wake() {
    m_woken.store(true);
    // Any message ends the wait; one for the thread itself reaches no window.
    PostThreadMessageW(m_thread, WM_NULL, 0, 0);
}

void ProgressHost::Open(SharedWorkProgress& progress) {
    m_window.emplace(m_owner, m_caption, m_texts, progress);
    m_taskbar = std::make_unique<TaskbarProgress>(m_owner);
    m_sessionEndBlock.emplace(m_owner, m_texts.heading);
}

void ProgressHost::Show(const ProgressModel& model) {
    m_window->Show(model);
    m_taskbar->Show(model.Fraction());
}

} // namespace fw::win32
