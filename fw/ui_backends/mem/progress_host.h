#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "fw/ui/run_with_progress.h"

namespace fw::mem {

class DialogPeer;

// One run of work with progress, and what the work reported.
struct ProgressRun {
    std::string caption;
    ProgressWindowTexts texts;
    bool ownedByDialog = false;
    int waitCursorDepth = 0;
    std::uint64_t total = 0;
    std::uint64_t done = 0;
    int item = -1;
    int reports = 0; // calls of Advance
    bool cancelRequested = false;
    bool finishing = false; // the work said it was finishing
    int shows = 0;          // ticks that showed the progress window
    int bar = 0;            // the bar's position the window last showed
};

// Long work's window in memory, for fw::RunWithProgress, run in lock step
// with the work: each Advance of the work waits until the UI thread has
// ticked it, and each tick moves the ticker's time on by timePerReport. So
// a test sees every report in order, and a cancel it presses is seen by the
// work's next question, whatever the machine's speed.
class ProgressHost final : public IProgressHost {
public:
    using OnProgress = std::function<bool(const ProgressRun&)>;

    ProgressHost(DialogPeer* owner, ProgressRun& run, const OnProgress& onProgress,
                 std::chrono::milliseconds timePerReport);
    ~ProgressHost() override;
    ProgressHost(const ProgressHost&) = delete;
    ProgressHost& operator=(const ProgressHost&) = delete;

    // The progress the work is given: reports go to shared and into the run.
    IWorkProgress& WorkProgress(IWorkProgress& shared);

    void BlockInput() override;
    void AllowInput() override;
    bool RunUntilWoken(ProgressTicker& ticker) override;
    void Wake() override;
    void Open(SharedWorkProgress& progress) override;
    void Show(const ProgressModel& model) override;
    std::chrono::steady_clock::time_point Now() const override { return m_now; }

private:
    class Reporter;
    // On the working thread: records a report and, for an Advance, waits
    // until it has been ticked.
    void Report(const std::function<void(ProgressRun&)>& record, bool step);

    DialogPeer* m_owner;
    ProgressRun& m_run;
    const OnProgress& m_onProgress;
    std::chrono::milliseconds m_timePerReport;
    std::chrono::steady_clock::time_point m_now{};
    SharedWorkProgress* m_progress = nullptr;
    std::unique_ptr<Reporter> m_reporter;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_stepWaiting = false; // the work waits at an Advance
    bool m_woken = false;       // the work has returned
    bool m_released = false;    // no more ticks come: the work goes on alone
};

} // namespace fw::mem
