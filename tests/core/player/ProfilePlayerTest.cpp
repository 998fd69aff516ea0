#include "PlayerRig.h"

#include "../device/DeviceProfileBytes.h"

#include <gmock/gmock.h>

namespace vantrel::player::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const char* const kTwoModes = "<SCRIPTLIST>\n"
                              "_NULL\n"
                              "Fire a^40 A\n"
                              "Cease b^15 B^30 c\n"
                              "ToCombat LOADMODE_Combat\n"
                              "ToDefault LOADMODE_DEFAULT\n"
                              "Missile dx_2^25 DX_2\n"
                              "Flare f\n"
                              "<PROGRAM_MODES>\n"
                              "[DEFAULT]\n"
                              "TriggerPress = Fire\n"
                              "TriggerRelease = Cease\n"
                              "FireAPress = ToCombat\n"
                              "FireBPress = Flare\n"
                              "{DEFAULT}\n"
                              "[Combat]\n"
                              "TriggerPress = Missile\n"
                              "TriggerRelease = _NULL\n"
                              "FireAPress = ToDefault\n"
                              "{Combat}\n";

TEST(ProfilePlayer, PressAndReleasePlayTheirScriptsWithTheirDelays) {
    PlayerRig rig;
    rig.player.load(translated(kTwoModes), 0ms);
    EXPECT_TRUE(rig.player.hasProfile());
    EXPECT_EQ(rig.player.activeConfiguration(), 0);

    rig.press(kTrigger, 5ms);
    // Only the first event plays inside input(); the key up waits for its delay.
    EXPECT_THAT(rig.sink.take(), ElementsAre("5 key down  a (usage 4)"));
    EXPECT_EQ(rig.player.nextDue(), Time(45ms));
    rig.player.advance(44ms);
    EXPECT_THAT(rig.sink.take(), IsEmpty());
    rig.player.advance(60ms); // late: the action still carries the time it was due
    EXPECT_THAT(rig.sink.take(), ElementsAre("45 key up  a (usage 4)"));
    EXPECT_FALSE(rig.player.nextDue().has_value());

    rig.release(kTrigger, 100ms);
    rig.runToEnd();
    EXPECT_THAT(rig.sink.take(), ElementsAre("100 key down  b (usage 5)", "115 key up  b (usage 5)",
                                             "145 key down  c (usage 6)"));
    // A release reported twice starts nothing.
    rig.release(kTrigger, 200ms);
    EXPECT_FALSE(rig.player.nextDue().has_value());
}

TEST(ProfilePlayer, RunsOfDifferentScriptsInterleaveOnOneClock) {
    PlayerRig rig;
    rig.player.load(translated(kTwoModes), 0ms);
    rig.press(kTrigger, 0ms); // a down at 0, up at 40
    rig.press(kFireB, 40ms);  // f down at 40, after the a up that was due at the same time
    rig.release(kTrigger, 10ms + 30ms);
    rig.runToEnd();
    EXPECT_THAT(rig.sink.take(), ElementsAre("0 key down  a (usage 4)", "40 key up  a (usage 4)",
                                             "40 key down  f (usage 9)", "40 key down  b (usage 5)",
                                             "55 key up  b (usage 5)", "85 key down  c (usage 6)"));
}

TEST(ProfilePlayer, LoadModeSwitchesAndFallsBackToDefault) {
    PlayerRig rig;
    rig.player.load(translated(kTwoModes), 0ms);
    rig.press(kFireA, 0ms);
    EXPECT_EQ(rig.player.activeConfiguration(), 2); // Combat is the second mode
    EXPECT_THAT(rig.sink.notes, ElementsAre("configuration 2 active (was 0)"));
    rig.release(kFireA, 10ms);

    rig.press(kTrigger, 20ms);
    rig.release(kTrigger, 30ms); // bound to _NULL in Combat: plays nothing, no fallback
    rig.press(kFireB, 60ms);     // not bound in Combat: DEFAULT's Flare
    rig.runToEnd();
    EXPECT_THAT(rig.sink.take(),
                ElementsAre("20 joystick button down  2", "45 joystick button up  2",
                            "60 key down  f (usage 9)"));

    rig.press(kFireA, 100ms);
    EXPECT_EQ(rig.player.activeConfiguration(), 0);
}

TEST(ProfilePlayer, TellsScriptsStartedUnassignedPressesAndOnlyRealSwitches) {
    PlayerRig rig;
    rig.player.load(translated("<SCRIPTLIST>\n"
                               "_NULL\n"
                               "Fire a\n"
                               "ToCombat LOADMODE_Combat\n"
                               "ToDefault LOADMODE_DEFAULT\n"
                               "<PROGRAM_MODES>\n"
                               "[DEFAULT]\n"
                               "TriggerPress = Fire\n"
                               "FireAPress = ToCombat\n"
                               "FireBPress = ToDefault\n"
                               "{DEFAULT}\n"
                               "[Combat]\n"
                               "{Combat}\n"),
                    0ms);
    rig.press(kFireB, 1ms); // DEFAULT is active already: no switch, no note
    rig.press(kTrigger, 2ms);
    rig.press(kFireA, 3ms);
    rig.release(kFireA, 4ms); // a release is no press: nothing to tell
    rig.hat(kStickHat1, 1, 5ms);
    rig.hat(kStickHat1, 0, 6ms); // back to center is no press either
    rig.press(3, 7ms);
    rig.release(kFireB, 8ms);
    rig.press(kFireB, 9ms); // through DEFAULT's binding
    EXPECT_THAT(rig.sink.told,
                ElementsAre("1 script 3 in 0", "2 script 1 in 0", "3 script 2 in 0",
                            "3 mode 0 to 2", "5 unassigned StickHat1 Up in 2",
                            "7 unassigned Launch press in 2", "9 script 3 in 2", "9 mode 2 to 0"));
    EXPECT_THAT(rig.sink.notes,
                ElementsAre("configuration 2 active (was 0)", "configuration 0 active (was 2)"));
}

TEST(ProfilePlayer, EmptySlotsAndUnknownModesDoNothing) {
    // Script 0 switches to configuration 7, which is not there; script 1 has no events.
    const auto bytes = vantrel::test::DeviceProfileBytes::header(2)
                           .u16(0)
                           .u16(1)
                           .event(5, 7, 0)
                           .u16(1)
                           .u16(0)
                           .u16(1)
                           .u16(0)
                           .u16(2)
                           .entry(0, 1, 0)
                           .entry(0, 3, 1)
                           .u16(0)
                           .finish();
    const ProfileCheck check = checkDeviceProfile(bytes);
    ASSERT_TRUE(check.accepted());
    PlayerRig rig;
    rig.player.load(check.image, 0ms);

    rig.press(kTrigger, 0ms);
    EXPECT_EQ(rig.player.activeConfiguration(), 0);
    EXPECT_THAT(rig.sink.notes,
                ElementsAre("load mode 7: the profile holds no such configuration; staying in "
                            "configuration 0"));
    rig.press(kFireA, 0ms); // the empty script
    rig.press(kFireB, 0ms); // no entry at all
    rig.release(kFireB, 0ms);
    rig.hat(kStickHat1, 3, 0ms);
    EXPECT_THAT(rig.sink.actions, IsEmpty());
    EXPECT_FALSE(rig.player.nextDue().has_value());
}

TEST(ProfilePlayer, ReferencesThatLeadNowhereCountAsUnassigned) {
    // An image the check would refuse: a script number past the end, a chain that is not
    // there, an unknown entry type and axis code, a repeated configuration ID, a group whose
    // codes do not fit 16 bits, a breakpoint past the axis travel.
    DeviceProfileImage image;
    image.scripts.push_back({0, {{EventOpcode::DirectXPress, 1, 0}}});
    image.scripts.push_back({1, {{EventOpcode::LoadMode, -3, 0}}});
    image.scripts.push_back({2, {{EventOpcode::DirectXRelease, 1, 0}}});
    image.configurations.push_back({0,
                                    {{0, 1, 99},
                                     {0, 1, 0},
                                     {1, 2, 4},
                                     {1, 9, 0},
                                     {7, 3, 0},
                                     {0, 5, 1},
                                     {0, 101, 2},
                                     {1, 2, 0}}});
    image.configurations.push_back({0, {{0, 3, 0}}});
    image.chains.push_back({0, {{65535, 40000}, {32767, 50}}});
    image.configurations.push_back({4, {{1, 2, 0}}});
    PlayerRig rig;
    rig.player.load(image, 0ms);

    rig.press(kTrigger, 0ms); // the first valid entry of code 1
    rig.press(kFireA, 0ms);   // only the repeated configuration binds code 3
    rig.press(kFireB, 0ms);   // load mode -3
    rig.axis(0, 0, 0ms);
    rig.axis(0, 32767, 0ms);
    EXPECT_THAT(rig.sink.take(),
                ElementsAre("0 joystick button down  1", "0 joystick axis  XAxis 0",
                            "0 joystick axis  XAxis 32767"));
    EXPECT_THAT(rig.sink.notes, ElementsAre("load mode -3: the profile holds no such "
                                            "configuration; staying in configuration 0"));
}

TEST(ProfilePlayer, EventDataOutOfRangeIsSkippedWithANote) {
    auto bytes = vantrel::test::DeviceProfileBytes::header(1).u16(0).u16(6);
    bytes.event(0, 0, -5).event(2, 65, 0).event(8, 4, 0).event(4, 9, 0).event(3, 64, 0);
    bytes.event(1, 300, 0).u16(1).u16(0).u16(1).entry(0, 1, 0).u16(0);
    const ProfileCheck check = checkDeviceProfile(bytes.finish());
    ASSERT_TRUE(check.accepted());
    PlayerRig rig;
    rig.player.load(check.image, 0ms);
    rig.press(kTrigger, 0ms); // negative delays count as 0: everything plays at once
    EXPECT_THAT(rig.sink.take(), ElementsAre("0 joystick button up  64"));
    EXPECT_EQ(rig.sink.notes.size(), 5u);
    EXPECT_EQ(rig.sink.notes.front(), "script 0 event 0: key usage 0 is out of range; skipped");
}

TEST(ProfilePlayer, HatSweepReleasesTheOldDirectionThenPressesTheNew) {
    PlayerRig rig;
    rig.player.load(translated("<SCRIPTLIST>\n_NULL\nCR c\nCP d\nUR v\nUP u\nRR s\nRP r\n"
                               "<PROGRAM_MODES>\n[DEFAULT]\n"
                               "StickHat1CenterRelease = CR\nStickHat1CenterPress = CP\n"
                               "StickHat1UpRelease = UR\nStickHat1UpPress = UP\n"
                               "StickHat1UpRightRelease = RR\nStickHat1UpRightPress = RP\n"
                               "{DEFAULT}\n"),
                    0ms);
    rig.hat(kStickHat1, 1, 0ms);
    rig.hat(kStickHat1, 2, 10ms);
    rig.hat(kStickHat1, 2, 15ms); // no change
    rig.hat(kStickHat1, 0, 20ms);
    rig.hat(1, 1, 30ms); // another hat: its slots are empty
    EXPECT_THAT(rig.sink.take(),
                ElementsAre("0 key down  c (usage 6)", "0 key down  u (usage 24)",
                            "10 key down  v (usage 25)", "10 key down  r (usage 21)",
                            "20 key down  s (usage 22)", "20 key down  d (usage 7)"));
}

TEST(ProfilePlayer, ReplacingTheProfileReleasesWhatIsHeld) {
    PlayerRig rig;
    const DeviceProfileImage profile =
        translated("<SCRIPTLIST>\n_NULL\nHold lshift a^10 dx_3 mouse2 hat_up^500 A LSHIFT\n"
                   "<PROGRAM_MODES>\n[DEFAULT]\nTriggerPress = Hold\n{DEFAULT}\n");
    rig.player.load(profile, 0ms);
    rig.press(kTrigger, 0ms);
    rig.runUntil(50ms);
    EXPECT_TRUE(rig.player.holdsAnything());
    rig.sink.take();

    rig.player.load(profile, 100ms);
    EXPECT_THAT(rig.sink.take(),
                ElementsAre("100 key up  a (usage 4)", "100 key up  shift (usage 225)",
                            "100 joystick button up  3", "100 mouse button up  2 (right)",
                            "100 joystick hat 0  Center"));
    EXPECT_FALSE(rig.player.holdsAnything());
    EXPECT_FALSE(rig.player.nextDue().has_value()); // the run stopped with the old profile

    rig.release(kTrigger, 110ms);
    rig.press(kTrigger, 120ms);
    rig.player.clear(125ms);
    EXPECT_THAT(rig.sink.take(),
                ElementsAre("120 key down  shift (usage 225)", "125 key up  shift (usage 225)"));
    EXPECT_FALSE(rig.player.hasProfile());
    rig.player.releaseAll(130ms);
    EXPECT_THAT(rig.sink.take(), IsEmpty());
}

TEST(ProfilePlayer, MirrorsTheControlsWithoutAProfile) {
    PlayerRig rig;
    EXPECT_FALSE(rig.player.hasProfile());
    rig.press(13, 0ms);
    rig.hat(3, 8, 1ms);
    rig.axis(5, -40000, 2ms); // clamped to the axis range
    rig.release(13, 3ms);
    rig.press(14, 4ms); // no such button
    EXPECT_THAT(rig.sink.take(),
                ElementsAre("0 joystick button down  14", "1 joystick hat 3  UpLeft",
                            "2 joystick axis  R2Axis -32767", "3 joystick button up  14"));
    EXPECT_THAT(rig.sink.notes, ElementsAre("input from unknown button 14 ignored"));

    // With a profile the buttons act only through it, while the axes pass through.
    rig.player.load(translated("<SCRIPTLIST>\n_NULL\n<PROGRAM_MODES>\n[DEFAULT]\n{DEFAULT}\n"),
                    10ms);
    EXPECT_THAT(rig.sink.take(), ElementsAre("10 joystick hat 3  Center"));
    rig.press(0, 11ms);
    rig.axis(0, 1200, 12ms);
    EXPECT_THAT(rig.sink.take(), ElementsAre("12 joystick axis  XAxis 1200"));

    rig.player.clear(20ms);
    rig.release(0, 21ms);
    EXPECT_THAT(rig.sink.take(), ElementsAre("21 joystick button up  1"));
}

} // namespace
} // namespace vantrel::player::test
