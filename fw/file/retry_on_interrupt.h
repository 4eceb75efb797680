#pragma once

#include <cerrno>

namespace fw {

// Makes a POSIX system call again for as long as it fails with EINTR,
// having been interrupted by a signal before it did anything, and returns
// its result.
template <typename Call> auto RetryOnInterrupt(Call call) {
    for (;;) {
        const auto result = call();
        if (result != -1 || errno != EINTR) {
            return result;
        }
    }
}

} // namespace fw
