#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>

// The join's transfer buffer: one allocation of a fixed size for the whole
// join, starting on a page boundary. The kernel's copies between the page
// cache and the buffer run fastest when both sides are aligned alike; a
// plain allocation of this size starts 16 bytes into a page.
class CopyBuffer {
public:
    explicit CopyBuffer(std::size_t size)
        : m_size(std::max<std::size_t>(size, 1)),
          m_storage(std::make_unique_for_overwrite<std::byte[]>(m_size + kAlignment)) {
        void* start = m_storage.get();
        std::size_t space = m_size + kAlignment;
        m_data = static_cast<std::byte*>(std::align(kAlignment, m_size, start, space));
    }

    std::byte* Data() const { return m_data; }
    std::size_t Size() const { return m_size; }

private:
    static constexpr std::size_t kAlignment = 4096;

    std::size_t m_size;
    std::unique_ptr<std::byte[]> m_storage;
    std::byte* m_data = nullptr;
};
