#include "profile/SlotTable.h"

#include <gtest/gtest.h>

#include <set>

namespace vantrel {
namespace {

const SlotTable& table() { return SlotTable::instance(); }

struct Expected {
    const char* name;
    int position;
    int code;
};

TEST(SlotTable, GivesTheListedPositionsAndCodes) {
    const Expected cases[] = {
        {"TriggerRelease", 2, 0},         {"TriggerPress", 1, 1},
        {"StickHat2UpLeftPress", 45, 99}, {"ThrottleHat1CenterRelease", 100, 46},
        {"Mode1Press", 53, 17},           {"Aux1Press", 59, 23},
        {"StickHat1UpPress", 13, 31},     {"StickHat1CenterRelease", 30, 28},
        {"Aux3Release", 64, 26},          {"FireCPress", 9, 15},
        {"MouseHatUpPress", 65, 67},      {"StickHat2CenterRelease", 48, 82},
    };
    for (const Expected& expected : cases) {
        SCOPED_TRACE(expected.name);
        const auto position = table().positionOf(expected.name);
        ASSERT_TRUE(position.has_value());
        EXPECT_EQ(*position, expected.position);
        EXPECT_EQ(table().atPosition(*position).code, expected.code);
        EXPECT_EQ(table().deviceCodeOf(expected.name), expected.code);
    }
    EXPECT_EQ(table().positionOf("XAxis"), 101);
    EXPECT_EQ(table().positionOf("R2Axis"), 106);
    EXPECT_EQ(table().axisCodeOf("RAxis"), 3);
    EXPECT_FALSE(table().deviceCodeOf("XAxis").has_value());
    EXPECT_FALSE(table().positionOf("triggerpress").has_value());
    EXPECT_FALSE(table().positionOf("Trigger").has_value());
}

TEST(SlotTable, IsABijectionOntoPositionsAndCodes) {
    std::set<int> positions;
    std::set<int> deviceCodes;
    std::set<int> axisCodes;
    std::set<std::string> names;
    for (const Slot& slot : table().allSlots()) {
        positions.insert(slot.position);
        names.insert(slot.name);
        (slot.group == SlotGroup::Axis ? axisCodes : deviceCodes).insert(slot.code);
    }
    EXPECT_EQ(positions.size(), 106u);
    EXPECT_EQ(*positions.begin(), 1);
    EXPECT_EQ(*positions.rbegin(), 106);
    EXPECT_EQ(names.size(), 106u);
    EXPECT_EQ(deviceCodes.size(), 100u);
    EXPECT_EQ(*deviceCodes.begin(), 0);
    EXPECT_EQ(*deviceCodes.rbegin(), 99);
    EXPECT_EQ(axisCodes, (std::set<int>{0, 1, 2, 3, 4, 5}));

    EXPECT_EQ(table().group(SlotGroup::Stick).size(), 48u);
    EXPECT_EQ(table().group(SlotGroup::Throttle).front().name, "FireDPress");
    EXPECT_EQ(table().group(SlotGroup::Throttle).back().name, "ThrottleHat1CenterRelease");
    EXPECT_EQ(table().group(SlotGroup::Axis).front().name, "XAxis");
}

TEST(SlotTable, NameListsFollowTheDeviceOrder) {
    const std::vector<std::string>& codes = table().deviceCodeNames();
    ASSERT_EQ(codes.size(), 100u);
    EXPECT_EQ(
        std::vector<std::string>(codes.begin(), codes.begin() + 8),
        (std::vector<std::string>{"TriggerRelease", "TriggerPress", "FireARelease", "FireAPress",
                                  "FireBRelease", "FireBPress", "LaunchRelease", "LaunchPress"}));
    EXPECT_EQ(codes[98], "StickHat2UpLeftRelease");
    EXPECT_EQ(codes[99], "StickHat2UpLeftPress");
    EXPECT_EQ(table().axisNames(),
              (std::vector<std::string>{"XAxis", "YAxis", "ZAxis", "RAxis", "R1Axis", "R2Axis"}));
}

TEST(SlotTable, FileKeyOrderPutsAuxBeforeMode) {
    const auto& order = table().fileKeyOrder();
    ASSERT_EQ(order.size(), 106u);
    EXPECT_EQ(std::set<int>(order.begin(), order.end()).size(), 106u);
    auto keyAt = [&](std::size_t i) { return table().atPosition(order[i]).name; };
    EXPECT_EQ(keyAt(0), "TriggerPress");
    EXPECT_EQ(keyAt(11), "ShiftRelease");
    EXPECT_EQ(keyAt(12), "StickHat1UpPress");
    EXPECT_EQ(keyAt(29), "StickHat1CenterRelease");
    EXPECT_EQ(keyAt(48), "FireDPress");
    EXPECT_EQ(keyAt(52), "Aux1Press");
    EXPECT_EQ(keyAt(58), "Mode1Press");
    EXPECT_EQ(keyAt(64), "MouseHatUpPress");
    EXPECT_EQ(keyAt(82), "ThrottleHat1UpPress");
    EXPECT_EQ(keyAt(100), "XAxis");
}

} // namespace
} // namespace vantrel
