#include "app/ProgramStart.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

// Qt is always handed a list that ends in a windowless platform, so that a display nobody
// serves makes it fall back instead of aborting the process.
TEST(PlatformFallback, EndsEveryListInAWindowlessPlatform) {
    EXPECT_EQ(platformsWithFallback(""), "xcb;wayland;offscreen");
    EXPECT_EQ(platformsWithFallback("xcb"), "xcb;offscreen");
    EXPECT_EQ(platformsWithFallback("xcb;wayland"), "xcb;wayland;offscreen");
    EXPECT_EQ(platformsWithFallback("xcb;minimal"), "xcb;minimal");
    EXPECT_EQ(platformsWithFallback("offscreen"), "offscreen");
    EXPECT_TRUE(isWindowlessPlatform("offscreen"));
    EXPECT_TRUE(isWindowlessPlatform("minimal:enable_fonts"));
    EXPECT_FALSE(isWindowlessPlatform("xcb"));
}

} // namespace
} // namespace vantrel
