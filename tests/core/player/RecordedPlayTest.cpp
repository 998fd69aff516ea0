#include "PlayerRig.h"

#include "../device/DeviceProfileBytes.h"
#include "device/player/EventsText.h"
#include "device/player/RecordedPlay.h"

#include <gmock/gmock.h>

#include <sstream>

namespace vantrel::player::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

TEST(RecordedEvents, ReadsNamesNumbersCommentsAndLineEnds) {
    const RecordedInputs read = readRecordedInputs("# a recording\r\n"
                                                   "\n"
                                                   "0 Trigger press   # pull\r\n"
                                                   "  15\tTrigger\t0\n"
                                                   "15 MouseHat UpRight\n"
                                                   "20 StickHat2 8\n"
                                                   "1000000000 R2Axis -32767",
                                                   "sweep.events");
    EXPECT_THAT(read.errors, IsEmpty());
    using Kind = ControlInput::Kind;
    ASSERT_EQ(read.inputs.size(), 5u);
    EXPECT_EQ(read.inputs[0].control, (ControlInput{Kind::Button, 0, 1}));
    EXPECT_EQ(read.inputs[1].at, Time(15ms));
    EXPECT_EQ(read.inputs[1].control, (ControlInput{Kind::Button, 0, 0}));
    EXPECT_EQ(read.inputs[2].control, (ControlInput{Kind::Hat, 2, 2}));
    EXPECT_EQ(read.inputs[3].control, (ControlInput{Kind::Hat, 3, 8}));
    EXPECT_EQ(read.inputs[4].control, (ControlInput{Kind::Axis, 5, -32767}));
    EXPECT_EQ(read.inputs[4].at, Time(1'000'000'000ms));
}

TEST(RecordedEvents, NamesEachFaultyLineWithItsPlace) {
    const RecordedInputs read = readRecordedInputs("10 Trigger press\n"
                                                   "5 Trigger release\n"
                                                   "20 trigger press\n"
                                                   "20 FireA down\n"
                                                   "20 StickHat1 9\n"
                                                   "20 XAxis 32768\n"
                                                   "x XAxis 0\n"
                                                   "-1 XAxis 0\n"
                                                   "20 XAxis\n"
                                                   "20 XAxis 0 0\n"
                                                   "30 Aux3 press\n",
                                                   "bad.events");
    EXPECT_THAT(
        read.errors,
        ElementsAre(
            "bad.events:2: the time 5 ms is earlier than the line before (10 ms)",
            "bad.events:3: unknown control \"trigger\"",
            "bad.events:4: \"down\" is not a value of FireA; a button takes press, release, 1 "
            "or 0",
            "bad.events:5: \"9\" is not a value of StickHat1; a hat takes Center, Up, UpRight, "
            "Right, DownRight, Down, DownLeft, Left, UpLeft or 0 to 8",
            "bad.events:6: \"32768\" is not a value of XAxis; an axis takes a whole number from "
            "-32767 to 32767",
            "bad.events:7: the time \"x\" is not a whole number of milliseconds from 0 to "
            "1000000000",
            "bad.events:8: the time \"-1\" is not a whole number of milliseconds from 0 to "
            "1000000000",
            "bad.events:9: expected TIME CONTROL VALUE, found 2 fields",
            "bad.events:10: unexpected \"0\" after the value"));
    EXPECT_EQ(read.inputs.size(), 2u); // the good lines, which are not to be played
}

std::vector<std::uint8_t> exampleProfile(const std::string& name) {
    DiagnosticList diagnostics;
    const auto bytes = ProfileTranslator(std::string(VANTREL_TEST_DATA) + "/../../examples/" + name,
                                         diagnostics)
                           .deviceBytes();
    EXPECT_TRUE(bytes.has_value()) << name;
    return bytes.value_or(std::vector<std::uint8_t>{});
}

TEST(RecordedPlay, PrintsTheTimelineOfAnExampleProfile) {
    std::ostringstream timeline;
    std::ostringstream errors;
    const int result = playRecording(exampleProfile("flaps-gear.vtp"),
                                     "0 R2Axis -32767\n"
                                     "100 R2Axis 32767\n"
                                     "150 Trigger press\n",
                                     "gear.events", timeline, errors);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(errors.str(), "");
    // Gear: one breakpoint at 0 on R2; GearDown is "g G" (press delay 10).
    EXPECT_EQ(timeline.str(), "    0.000 ms  input  R2Axis -32767\n"
                              "    0.000 ms  joystick axis  R2Axis -32767\n"
                              "  100.000 ms  input  R2Axis 32767\n"
                              "  100.000 ms  joystick axis  R2Axis 32767\n"
                              "  100.000 ms  key down  g (usage 10)\n"
                              "  110.000 ms  key up  g (usage 10)\n"
                              "  150.000 ms  input  Trigger press\n"
                              "  150.000 ms  end  releasing everything still held\n");
}

TEST(RecordedPlay, SwitchesModesPlaysScriptsOutAndReleasesWhatIsHeld) {
    std::ostringstream timeline;
    std::ostringstream errors;
    const int result = playRecording(exampleProfile("combat.vtp"),
                                     "0 Mode2 press\n"
                                     "10 FireA press\n"
                                     "20 Trigger press\n"
                                     "25 StickHat1 Up\n",
                                     "combat.events", timeline, errors);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(errors.str(), "");
    EXPECT_EQ(timeline.str(), "    0.000 ms  input  Mode2 press\n"
                              "    0.000 ms  note  configuration 2 active (was 0)\n"
                              "   10.000 ms  input  FireA press\n"
                              "   10.000 ms  key down  t (usage 23)\n"
                              "   20.000 ms  input  Trigger press\n"
                              "   20.000 ms  joystick button down  1\n"
                              "   25.000 ms  input  StickHat1 Up\n"
                              "   25.000 ms  joystick hat 0  Up\n"
                              "   40.000 ms  key up  t (usage 23)\n"
                              "   40.000 ms  end  releasing everything still held\n"
                              "   40.000 ms  joystick button up  1\n"
                              "   40.000 ms  joystick hat 0  Center\n");
}

TEST(RecordedPlay, RefusesABadProfileOrABadRecording) {
    std::ostringstream timeline;
    std::ostringstream errors;
    auto broken = vantrel::test::emptyDefaultProfile();
    broken.back() = 7;
    EXPECT_EQ(playRecording(broken, "0 Trigger press\n", "ok.events", timeline, errors), 1);
    EXPECT_EQ(errors.str(), "profile refused: the final byte is 7, not 0\n");

    errors.str("");
    EXPECT_EQ(playRecording(vantrel::test::emptyDefaultProfile(), "0 Trigger pressed\n",
                            "typo.events", timeline, errors),
              1);
    EXPECT_THAT(errors.str(), HasSubstr("typo.events:1: \"pressed\" is not a value of Trigger"));
    EXPECT_EQ(timeline.str(), "");
}

} // namespace
} // namespace vantrel::player::test
