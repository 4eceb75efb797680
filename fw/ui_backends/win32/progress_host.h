#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>

#include "fw/ui/run_with_progress.h"
#include "fw/ui_backends/win32/progress_window.h"
#include "fw/ui_backends/win32/session_end_block.h"
#include "fw/ui_backends/win32/taskbar_progress.h"

namespace fw::win32 {

// Long work's window on Windows, for fw::RunWithProgress. The owner is
// disabled while the work runs and its input dropped; the progress window
// takes keys as a dialog does. A quit that arrives meanwhile (the session
// ends) stops the work and is passed on to the dialog's loop once the host
// goes.
class ProgressHost final : public IProgressHost {
public:
    // endedProgress receives the taskbar progress when the host goes.
    ProgressHost(HWND owner, const std::string& caption, const ProgressWindowTexts& texts,
                 std::unique_ptr<TaskbarProgress>& endedProgress);
    ~ProgressHost() override;
    ProgressHost(const ProgressHost&) = delete;
    ProgressHost& operator=(const ProgressHost&) = delete;

    void BlockInput() override;
    void AllowInput() override;
    bool RunUntilWoken(ProgressTicker& ticker) override;
    void Wake() override;
    void Open(SharedWorkProgress& progress) override;
    void Show(const ProgressModel& model) override;

private:
    HWND m_owner;
    const std::string& m_caption;
    const ProgressWindowTexts& m_texts;
    std::unique_ptr<TaskbarProgress>& m_endedProgress;
    const DWORD m_thread = GetCurrentThreadId();
    std::atomic<bool> m_woken{false};
    bool m_disabled = false;
    std::optional<WPARAM> m_quitCode;
    std::optional<ProgressWindow> m_window;
    std::unique_ptr<TaskbarProgress> m_taskbar;
    std::optional<SessionEndBlock> m_sessionEndBlock;
};

} // namespace fw::win32
