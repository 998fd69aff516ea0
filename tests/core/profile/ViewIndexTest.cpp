#include "profile/ViewIndex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrel {
namespace {

TEST(ViewIndex, KeepsTheFirstValueOfAName) {
    ViewIndex index;
    EXPECT_TRUE(index.insert("Gear", 4));
    EXPECT_FALSE(index.insert("Gear", 9));
    EXPECT_TRUE(index.insert("gear", 5)); // names differ in letter case
    EXPECT_TRUE(index.insert("", 6));
    EXPECT_EQ(index.find("Gear"), 4u);
    EXPECT_EQ(index.find("gear"), 5u);
    EXPECT_EQ(index.find(""), 6u);
    EXPECT_EQ(index.find("Gea"), std::nullopt);
    EXPECT_EQ(index.find("Gears"), std::nullopt);
    EXPECT_EQ(index.size(), 3u);
}

// Filled from far below its expected size past the 16-bit and 17-bit entry numbers, so the
// table regrows many times, the split between probe bits and hash bits moves each time, and
// probe runs wrap and collide along the way.
TEST(ViewIndex, FindsEveryNameAfterRegrowing) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < 200000; ++i)
        names.push_back("Script" + std::to_string(i));
    ViewIndex index(3);
    for (std::size_t i = 0; i < names.size(); ++i)
        ASSERT_TRUE(index.insert(names[i], static_cast<std::uint32_t>(i * 3))) << names[i];
    for (std::size_t i = 0; i < names.size(); ++i)
        ASSERT_EQ(index.find(names[i]), i * 3) << names[i];
    EXPECT_FALSE(index.insert(names[131071], 1));
    EXPECT_EQ(index.find(names[131071]), 131071u * 3);
    EXPECT_EQ(index.find("Script200000"), std::nullopt);
    EXPECT_EQ(index.find("Script"), std::nullopt);
    EXPECT_EQ(index.size(), names.size());
}

} // namespace
} // namespace vantrel
