#pragma once

#include <chrono>
#include <functional>

#include "fw/ui/progress_model.h"
#include "fw/ui/progress_ticker.h"
#include "fw/ui/work_progress.h"

namespace fw {

// What RunWithProgress needs from a backend for one run of long work: the
// few calls that differ between window systems. All but Wake are made on
// the UI thread. What Open opened closes when the host goes, after
// RunWithProgress has returned.
class IProgressHost {
public:
    virtual ~IProgressHost() = default;

    // Keeps the owner window from taking input until AllowInput; it still
    // repaints and keeps the wait cursor.
    virtual void BlockInput() = 0;
    virtual void AllowInput() = 0;
    // Handles the window system's events until Wake, ticking ticker every
    // ProgressTicker::kInterval meanwhile, within nested event loops too
    // where the window system allows. Returns false when it ends before:
    // the application is ending (the session ends), and the work is then
    // stopped and waited for.
    virtual bool RunUntilWoken(ProgressTicker& ticker) = 0;
    // Called on the working thread once the work has returned: ends
    // RunUntilWoken, or makes it return at once.
    virtual void Wake() = 0;
    // Opens the progress window, whose cancel asks progress to stop, with
    // the taskbar button's or launcher entry's progress and the block on
    // the session's end.
    virtual void Open(SharedWorkProgress& progress) = 0;
    // Shows the model on what Open opened.
    virtual void Show(const ProgressModel& model) = 0;
    // The time the ticker goes by.
    virtual std::chrono::steady_clock::time_point Now() const {
        return std::chrono::steady_clock::now();
    }
};

// Runs work on a thread of its own while the UI thread goes on handling
// the window system through host, ticking the work's progress into a
// ProgressModel and, once it lasts, into the progress window (see
// ProgressTicker). The work is registered as StoppableWork while it runs.
// Returns once work has returned; an exception that escaped work is thrown
// here. However this returns, the work has been stopped and waited for.
void RunWithProgress(IProgressHost& host, const ProgressWindowTexts& texts,
                     const std::function<void(IWorkProgress&)>& work);

} // namespace fw
