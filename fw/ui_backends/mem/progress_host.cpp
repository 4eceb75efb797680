#include "fw/ui_backends/mem/progress_host.h"

#include <memory>

#include "fw/ui_backends/mem/dialog_peer.h"

namespace fw::mem {

namespace {
// The longest either side waits for the other: far longer than any step of
// a test's work takes.
constexpr std::chrono::seconds kStepTimeout{30};
} // namespace

class ProgressHost::Reporter final : public IWorkProgress {
public:
    Reporter(ProgressHost& host, IWorkProgress& shared) : m_host(host), m_shared(shared) {}

    void SetTotal(std::uint64_t bytes) override {
        m_shared.SetTotal(bytes);
        m_host.Report([bytes](ProgressRun& run) { run.total = bytes; }, false);
    }
    void SetItem(int index) override {
        m_shared.SetItem(index);
        m_host.Report([index](ProgressRun& run) { run.item = index; }, false);
    }
    void Advance(std::uint64_t bytes) override {
        m_shared.Advance(bytes);
        m_host.Report(
            [bytes](ProgressRun& run) {
                run.done += bytes;
                ++run.reports;
            },
            true);
    }
    void SetFinishing() override {
        m_shared.SetFinishing();
        m_host.Report([](ProgressRun& run) { run.finishing = true; }, false);
    }
    bool CancelRequested() const override { return m_shared.CancelRequested(); }

private:
    ProgressHost& m_host;
    IWorkProgress& m_shared;
};

ProgressHost::ProgressHost(DialogPeer* owner, ProgressRun& run, const OnProgress& onProgress,
                           std::chrono::milliseconds timePerReport)
    : m_owner(owner), m_run(run), m_onProgress(onProgress), m_timePerReport(timePerReport) {}

ProgressHost::~ProgressHost() = default;

IWorkProgress& ProgressHost::WorkProgress(IWorkProgress& shared) {
    m_reporter = std::make_unique<Reporter>(*this, shared);
    return *m_reporter;
}

void ProgressHost::Report(const std::function<void(ProgressRun&)>& record, bool step) {
    std::unique_lock lock(m_mutex);
    record(m_run);
    if (!step || m_released)
        return;
    m_stepWaiting = true;
    m_changed.notify_all();
    m_changed.wait_for(lock, kStepTimeout, [this] { return !m_stepWaiting || m_released; });
    m_stepWaiting = false;
}

void ProgressHost::BlockInput() {
    if (m_owner != nullptr)
        m_owner->BlockInput(true);
}

void ProgressHost::AllowInput() {
    {
        const std::lock_guard lock(m_mutex);
        m_released = true;
    }
    m_changed.notify_all();
    if (m_owner != nullptr)
        m_owner->BlockInput(false);
}

bool ProgressHost::RunUntilWoken(ProgressTicker& ticker) {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait_for(lock, kStepTimeout, [this] { return m_stepWaiting || m_woken; });
        if (m_woken)
            return true;
        m_now += m_timePerReport;
        lock.unlock();
        ticker.Tick();
        lock.lock();
        // The Advance just ticked goes on.
        m_stepWaiting = false;
        m_changed.notify_all();
    }
}

void ProgressHost::Wake() {
    {
        const std::lock_guard lock(m_mutex);
        m_woken = true;
    }
    m_changed.notify_all();
}

void ProgressHost::Open(SharedWorkProgress& progress) {
    m_progress = &progress;
}

void ProgressHost::Show(const ProgressModel& model) {
    ProgressRun seen;
    {
        const std::lock_guard lock(m_mutex);
        ++m_run.shows;
        m_run.bar = model.BarValue();
        seen = m_run;
    }
    // The user watching the window presses its cancel button.
    if (m_onProgress && m_onProgress(seen)) {
        m_progress->RequestCancel();
        const std::lock_guard lock(m_mutex);
        m_run.cancelRequested = true;
    }
}

} // namespace fw::mem
