#include "profile/ViewIndex.h"

#include <gtest/gtest.h>

#include <stdexcept>
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

// Filled from far below its expected size to the limit, so the table regrows many times and
// every probe run wraps and collides along the way.
TEST(ViewIndex, FindsEveryNameUpToTheLimitAndRefusesOneMore) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < ViewIndex::kMaxNames; ++i)
        names.push_back("Script" + std::to_string(i));
    ViewIndex index(3);
    for (std::size_t i = 0; i < names.size(); ++i)
        ASSERT_TRUE(index.insert(names[i], static_cast<std::uint32_t>(i * 3))) << names[i];
    for (std::size_t i = 0; i < names.size(); ++i)
        ASSERT_EQ(index.find(names[i]), i * 3) << names[i];
    EXPECT_FALSE(index.insert(names[77], 1));
    EXPECT_EQ(index.find("Script65535"), std::nullopt);
    EXPECT_THROW(index.insert("Script65535", 1), std::length_error);
    EXPECT_EQ(index.size(), ViewIndex::kMaxNames);
}

} // namespace
} // namespace vantrel
