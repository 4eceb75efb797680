#pragma once

#include <chrono>

#include "fw/ui/work_progress.h"

namespace fw {

// Registers long work (a join's copy) while a backend runs it, so that
// whatever ends the process with the work still running (the session
// ending, a signal, the window system's connection gone) can first stop it
// as the user's cancel does, and wait until it has: the work then removes
// what it had begun to write. At most one such work runs at a time.
class StoppableWork {
public:
    // Registers progress, which the work reads for its stop.
    explicit StoppableWork(SharedWorkProgress& progress);
    ~StoppableWork();
    StoppableWork(const StoppableWork&) = delete;
    StoppableWork& operator=(const StoppableWork&) = delete;

    // Called on the working thread once the work has returned.
    void Finished();
};

// Whether registered work is running.
bool IsWorkRunning();

// Asks the running work, if any, to stop and waits up to timeout for it to
// return. Returns whether no work runs any more.
bool StopRunningWork(std::chrono::milliseconds timeout);

// How long the process's end waits for the work to stop: a slice of the copy
// and the removal of the output, on slow storage too.
inline constexpr std::chrono::milliseconds kStopWorkTimeout{15000};

} // namespace fw
