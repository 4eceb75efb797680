#include "fw/ui/run_with_progress.h"

#include <exception>
#include <thread>

#include "fw/ui/scope_exit.h"
#include "fw/ui/stoppable_work.h"

namespace fw {

void RunWithProgress(IProgressHost& host, const ProgressWindowTexts& texts,
                     const std::function<void(IWorkProgress&)>& work) {
    SharedWorkProgress progress;
    StoppableWork stoppable(progress);
    std::exception_ptr error;
    std::thread worker([&] {
        try {
            work(progress);
        } catch (...) {
            error = std::current_exception();
        }
        stoppable.Finished();
        host.Wake();
    });
    // However this frame is left, the work is stopped and waited for first,
    // since it uses the frame.
    const ScopeExit stopAndJoin([&] {
        if (worker.joinable()) {
            progress.RequestCancel();
            worker.join();
        }
    });

    host.BlockInput();
    const ScopeExit allowInput([&] { host.AllowInput(); });
    ProgressTicker ticker(
        texts, progress, [&] { host.Open(progress); },
        [&](const ProgressModel& model) { host.Show(model); }, [&] { return host.Now(); });
    if (!host.RunUntilWoken(ticker))
        progress.RequestCancel();
    worker.join();
    if (error)
        std::rethrow_exception(error);
}

} // namespace fw
