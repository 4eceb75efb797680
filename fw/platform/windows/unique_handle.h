#pragma once

#include <windows.h>

#include <utility>

namespace fw::windows {

// A kernel handle (file, thread, process, event) closed with its owner.
// CreateFileW reports failure as INVALID_HANDLE_VALUE, most other calls as
// null: both count as no handle.
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(HANDLE handle) noexcept : m_handle(handle) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    HANDLE Get() const noexcept { return m_handle; }
    explicit operator bool() const noexcept {
        return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE;
    }

    // Gives up ownership without closing; the caller closes what it gets.
    HANDLE Release() noexcept { return std::exchange(m_handle, nullptr); }

    void Reset(HANDLE handle = nullptr) noexcept {
        const HANDLE old = std::exchange(m_handle, handle);
        if (old != nullptr && old != INVALID_HANDLE_VALUE) {
            CloseHandle(old);
        }
    }

private:
    HANDLE m_handle = nullptr;
};

} // namespace fw::windows
