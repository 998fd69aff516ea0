#include "platform/LargePages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace vantrel {
namespace {

using platform::LargePageAllocator;

// Small and large buffers alike hold every byte written to them and keep them while they
// grow; a large one starts at a large-page boundary where the system has large pages.
TEST(LargePages, BuffersHoldTheirBytesAtEverySize) {
    for (const std::size_t size : {std::size_t{1}, std::size_t{4096}, (std::size_t{2} << 20) - 1,
                                   std::size_t{2} << 20, (std::size_t{5} << 20) + 12345}) {
        std::vector<std::uint8_t, LargePageAllocator<std::uint8_t>> bytes;
        bytes.reserve(size);
        for (std::size_t i = 0; i < size; ++i)
            bytes.push_back(static_cast<std::uint8_t>(i * 7));
#ifndef _WIN32
        if (size >= (std::size_t{2} << 20)) {
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(bytes.data()) % (std::uintptr_t{2} << 20),
                      0u)
                << size;
        }
#endif
        bytes.push_back(1); // grows past the reserved room: copied to a new buffer
        for (std::size_t i = 0; i < size; ++i)
            ASSERT_EQ(bytes[i], static_cast<std::uint8_t>(i * 7)) << size << " at " << i;
    }
}

TEST(LargePages, AdviceOnAnyRangeIsHarmless) {
    std::vector<char> bytes(3 << 20, 'v');
    platform::adviseLargePages(bytes.data(), bytes.size());
    platform::adviseLargePages(bytes.data() + 1, 10);
    platform::adviseLargePages(bytes.data(), 0);
    EXPECT_EQ(bytes[bytes.size() / 2], 'v');
}

} // namespace
} // namespace vantrel
