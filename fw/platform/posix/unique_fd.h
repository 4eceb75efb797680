#pragma once

#include <utility>

#include "fw/platform/posix/file_calls.h"

namespace fw::posix {

// Owns a file descriptor and closes it (through CloseCall, so that a test
// can fail that too). Named like std::unique_ptr's members.
class UniqueFd {
public:
    UniqueFd() noexcept = default;
    explicit UniqueFd(int fd) noexcept : m_fd(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept : m_fd(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const noexcept { return m_fd; }
    explicit operator bool() const noexcept { return m_fd >= 0; }
    int release() noexcept { return std::exchange(m_fd, -1); }
    // Closes the descriptor held, if any, and holds fd instead.
    void reset(int fd = -1) noexcept {
        if (const int old = std::exchange(m_fd, fd); old >= 0) {
            CloseCall(old);
        }
    }
    // Closes the descriptor now and returns what close returned (0 where
    // none was held); it is released either way.
    int close() noexcept { return m_fd < 0 ? 0 : CloseCall(release()); }

private:
    int m_fd = -1;
};

} // namespace fw::posix
