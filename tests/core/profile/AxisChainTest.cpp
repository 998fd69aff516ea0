#include "profile/AxisChain.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(AxisChain, CapacityFollowsGroups) {
    AxisChain chain("Flaps");
    EXPECT_EQ(chain.freeCapacity(), 255);
    chain.addGroupLine(formatGroupLine(0, 100, 100, "_NULL", "_NULL"), 100);
    chain.addGroupLine(formatGroupLine(0, 100, 155, "Up", "Down"), 155);
    EXPECT_EQ(chain.freeCapacity(), 0);
    EXPECT_EQ(chain.removeGroup(0), 100);
    ASSERT_EQ(chain.groupCount(), 1);
    EXPECT_EQ(chain.group(0), "(0 : 100 ; 155) ( + Up  - Down )");
    chain.clearGroups();
    EXPECT_EQ(chain.freeCapacity(), 255);
    EXPECT_EQ(chain.groupCount(), 0);
}

TEST(AxisChain, CountIsReadBackLikeScanf) {
    AxisChain chain;
    chain.addGroupLine("(1 : 2 ; 0x10) ( + a  - b )", 16);
    chain.addGroupLine("(1 : 2 ; 010) ( + a  - b )", 8);
    chain.addGroupLine("no count here", 0);
    EXPECT_EQ(chain.freeCapacity(), 231);
    EXPECT_EQ(chain.removeGroup(2), 231);
    EXPECT_EQ(chain.removeGroup(1), 239);
    EXPECT_EQ(chain.removeGroup(0), 255);
}

TEST(AxisChain, StoredLineFormat) {
    EXPECT_EQ(formatGroupLine(-20000, 20000, 10, "GearUp", "GearDown"),
              "(-20000 : 20000 ; 10) ( + GearUp  - GearDown )");
}

TEST(AxisChain, ExpandGroup) {
    EXPECT_EQ(expandGroup(0, 100, 3), (std::vector<int>{0, 50, 100}));
    EXPECT_EQ(expandGroup(0, 100, 4), (std::vector<int>{0, 33, 66, 99}));
    EXPECT_EQ(expandGroup(100, -100, 3), (std::vector<int>{100, 0, -100}));
    EXPECT_EQ(expandGroup(5, 5, 3), (std::vector<int>{5, 5, 5}));
    EXPECT_EQ(expandGroup(7, 900, 1), (std::vector<int>{7}));
    EXPECT_TRUE(expandGroup(7, 900, 0).empty());
    const auto ten = expandGroup(-20000, 20000, 10);
    ASSERT_EQ(ten.size(), 10u);
    EXPECT_EQ(ten.front(), -20000);
    EXPECT_EQ(ten.back(), 19996);
}

TEST(AxisChainList, DuplicateRenameDelete) {
    AxisChainList list;
    list.addChain("Flaps");
    list.addChain("Flaps_2");
    list.chain(0).addGroupLine("(0 : 1 ; 5) ( + a  - b )", 5);
    ASSERT_TRUE(list.duplicateChain(0));
    EXPECT_EQ(list.chain(2).name(), "Flaps_3");
    EXPECT_EQ(list.chain(2).groups(), list.chain(0).groups());
    EXPECT_EQ(list.chain(2).freeCapacity(), 250);
    ASSERT_TRUE(list.duplicateChain(2));
    EXPECT_EQ(list.chain(3).name(), "Flaps_3_2");

    EXPECT_FALSE(list.renameChain(0, "FLAPS_2"));
    EXPECT_FALSE(list.renameChain(0, "flaps"));
    EXPECT_TRUE(list.renameChain(0, "Gear"));
    EXPECT_EQ(list.findIgnoringCase("GEAR"), 0);

    list.deleteChain(0);
    EXPECT_EQ(list.chain(0).name(), "Flaps_2");
    std::vector<std::string> lines;
    list.writeChains([&](std::string_view line) { lines.emplace_back(line); });
    EXPECT_EQ(lines.front(), "");
    EXPECT_EQ(lines[1], "[Flaps_2]");
    EXPECT_EQ(lines[2], "{Flaps_2}");

    AxisChainList empty;
    int written = 0;
    empty.writeChains([&](std::string_view) { ++written; });
    EXPECT_EQ(written, 0);
}

TEST(AxisChainList, HoldsAtMost25Chains) {
    AxisChainList list;
    for (int i = 0; i < 30; ++i)
        list.addChain(std::string("c").append(std::to_string(i)));
    EXPECT_EQ(list.chainCount(), 25);
    EXPECT_FALSE(list.duplicateChain(0));
}

} // namespace
} // namespace vantrel
