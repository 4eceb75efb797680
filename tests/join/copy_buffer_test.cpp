#include <cstdint>
#include <cstring>

#include <gtest/gtest.h>

#include "join/copy_buffer.h"

namespace {

TEST(CopyBuffer, StartsOnAPageAndHoldsTheWholeSize) {
    for (std::size_t size :
         {std::size_t{1}, std::size_t{4096}, std::size_t{128 * 1024}, std::size_t{1000003}}) {
        const CopyBuffer buffer(size);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(buffer.Data()) % 4096, 0u) << size;
        EXPECT_EQ(buffer.Size(), size);
        std::memset(buffer.Data(), 0xA5, buffer.Size()); // ASan checks the bounds
    }
    EXPECT_EQ(CopyBuffer(0).Size(), 1u);
}

} // namespace
