#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <optional>
#include <string>

#include "fw/ui/run_with_progress.h"
#include "fw/ui_backends/qt/input_block.h"
#include "fw/ui_backends/qt/progress_window.h"
#include "fw/ui_backends/qt/session_end_block.h"
#include "fw/ui_backends/qt/taskbar_progress.h"

class QEventLoop;

namespace fw::qt {

// Long work's window with Qt, for fw::RunWithProgress: an event loop runs,
// with a timer for the ticks, until the work's end stops it; a loop that
// ends otherwise means the application is quitting.
class ProgressHost final : public IProgressHost {
public:
    ProgressHost(QWidget* owner, const std::string& caption, const ProgressWindowTexts& texts);
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
    QWidget* m_owner;
    QString m_caption;
    const ProgressWindowTexts& m_texts;
    QObject m_context; // the work's end is carried to the UI thread through it
    std::atomic<bool> m_woken{false};
    QEventLoop* m_loop = nullptr;
    std::optional<InputBlock> m_inputBlock;
    std::optional<ProgressWindow> m_window;
    std::optional<TaskbarProgress> m_taskbar;
    std::optional<SessionEndBlock> m_sessionEndBlock;
};

} // namespace fw::qt
