#pragma once

#include <unistd.h>
#include <utility>

namespace fw {

// Owns a POSIX file descriptor and closes it with Close: ::close, or the
// file layer's own call, through which a test can fail it too. Named like
// std::unique_ptr's members.
template <int (*Close)(int) = ::close> class UniqueFd {
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
            Close(old);
        }
    }
    // Closes the descriptor now and returns what Close returned (0 where
    // none was held); it is released either way.
    int close() noexcept { return m_fd < 0 ? 0 : Close(release()); }

private:
    int m_fd = -1;
};

} // namespace fw
