#include "fw/ui/stoppable_work.h"

#include <condition_variable>
#include <mutex>

namespace fw {

namespace {

struct Registry {
    std::mutex mutex;
    std::condition_variable finished;
    SharedWorkProgress* running = nullptr;
};

// Built before the program's entry runs, so it outlives every exit handler
// registered once the program runs, which may still stop the work.
Registry g_registry;

} // namespace

StoppableWork::StoppableWork(SharedWorkProgress& progress) {
    Registry& registry = g_registry;
    const std::lock_guard lock(registry.mutex);
    registry.running = &progress;
}

StoppableWork::~StoppableWork() {
    Finished();
}

void StoppableWork::Finished() {
    Registry& registry = g_registry;
    {
        const std::lock_guard lock(registry.mutex);
        registry.running = nullptr;
    }
    registry.finished.notify_all();
}

bool IsWorkRunning() {
    Registry& registry = g_registry;
    const std::lock_guard lock(registry.mutex);
    return registry.running != nullptr;
}

bool StopRunningWork(std::chrono::milliseconds timeout) {
    Registry& registry = g_registry;
    std::unique_lock lock(registry.mutex);
    if (registry.running != nullptr)
        registry.running->RequestCancel();
    return registry.finished.wait_for(lock, timeout, [&] { return registry.running == nullptr; });
}

} // namespace fw
