#pragma once

#include <chrono>
#include <functional>

#include "fw/ui/progress_model.h"
#include "fw/ui/work_progress.h"

namespace fw {

// The UI thread's watch over long work, from the moment the work starts.
// Each tick takes the work's progress into the model and, once the work has
// run for ProgressModel::kShowAfterSeconds, opens the progress window (and
// the taskbar button or launcher entry) once and shows the model there.
class ProgressTicker {
public:
    // How often a backend ticks while the work runs.
    static constexpr std::chrono::milliseconds kInterval{100};

    using Clock = std::chrono::steady_clock;
    using Open = std::function<void()>;
    using Show = std::function<void(const ProgressModel&)>;
    using Now = std::function<Clock::time_point()>;

    // open makes the caller's progress window; show shows the model on it;
    // now tells the time the work's duration is measured by.
    ProgressTicker(const ProgressWindowTexts& texts, const SharedWorkProgress& progress, Open open,
                   Show show, Now now);

    void Tick();
    // Ticks unless the last tick is less than kInterval ago: for a loop that
    // also wakes for other reasons.
    void TickIfDue();

private:
    ProgressModel m_model;
    const SharedWorkProgress& m_progress;
    Open m_open;
    Show m_show;
    Now m_now;
    bool m_opened = false;
    Clock::time_point m_start;
    Clock::time_point m_lastTick;
};

} // namespace fw
