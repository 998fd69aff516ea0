#include "profile/Profile.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(Profile, NewAndResetProfiles) {
    Profile profile = Profile::newProfile();
    ASSERT_EQ(profile.scripts, std::vector<Script>{"_NULL"});
    ASSERT_EQ(profile.modes.size(), 1u);
    EXPECT_EQ(profile.modes[0].name(), "DEFAULT");
    for (int position = 1; position <= kSlotCount; ++position)
        EXPECT_TRUE(profile.modes[0].assignment(position).empty());
    EXPECT_EQ(profile.pressDelay, 10u);
    EXPECT_EQ(profile.releaseDelay, 10u);

    profile.pressDelay = 99;
    profile.chains.addChain("Gear");
    profile.reset();
    EXPECT_TRUE(profile.scripts.empty());
    EXPECT_TRUE(profile.modes.empty());
    EXPECT_EQ(profile.chains.chainCount(), 0);
    EXPECT_EQ(profile.pressDelay, 10u);
    EXPECT_EQ(profile.releaseDelay, 10u);
}

TEST(Profile, ModeCopiesAreIndependent) {
    ProgrammingMode combat("Combat");
    combat.setAssignment(1, "Fire");
    ProgrammingMode copy = combat;
    copy.setAssignment(1, "Other");
    copy.setName("Combat_2");
    EXPECT_EQ(combat.assignment(1), "Fire");
    EXPECT_EQ(combat.name(), "Combat");
}

TEST(Profile, GroupsMoveInPositionOrder) {
    ProgrammingMode mode("m");
    std::vector<Assignment> throttle(kThrottleSlotCount);
    throttle[4] = "ModeOne"; // Mode1Press is the fifth throttle slot
    mode.setGroupValues(SlotGroup::Throttle, throttle);
    EXPECT_EQ(mode.assignment(*SlotTable::instance().positionOf("Mode1Press")), "ModeOne");
    EXPECT_EQ(mode.groupValues(SlotGroup::Throttle), throttle);
    EXPECT_EQ(mode.groupValues(SlotGroup::Stick).size(), 48u);
    EXPECT_EQ(mode.groupValues(SlotGroup::Axis).size(), 6u);
}

TEST(Profile, NamesAndOrder) {
    EXPECT_EQ(scriptName("Fire a^40 A"), "Fire");
    EXPECT_EQ(scriptName("Fire\ta"), "Fire");
    EXPECT_EQ(scriptName("_NULL"), "_NULL");
    EXPECT_EQ(scriptName(" lead"), "");

    // "default" in lower case is an ordinary name, not the DEFAULT mode.
    EXPECT_NE(std::string_view("default"), kDefaultModeName);
    EXPECT_TRUE(namesEqualIgnoringCase("default", kDefaultModeName));

    std::vector<std::string> names{"zulu", "Fire", "_NULL", "9lives", "alpha", "fire2", "#x"};
    std::sort(names.begin(), names.end(), scriptListLess);
    EXPECT_EQ(names, (std::vector<std::string>{"#x", "_NULL", "9lives", "alpha", "Fire", "fire2",
                                               "zulu"}));
    EXPECT_EQ(cutAndTrim("  Jump kp_1 # note", kScriptLineCutSet), "Jump kp_1");
    EXPECT_EQ(cutAndTrim("Climb (steep)", kRenameCutSet), "Climb");
}

} // namespace
} // namespace vantrel
