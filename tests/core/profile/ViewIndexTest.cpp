#include "profile/ViewIndex.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace vantrel
