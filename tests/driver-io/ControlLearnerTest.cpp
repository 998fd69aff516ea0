#include "EventPipe.h"

#include "io/ControlLearner.h"
#include "io/ControlMapText.h"
#include "io/InputEventStreams.h"
#include "profile/ControlPlaces.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace vantrel::driver {
namespace {

using testing::EventPipe;
using ::testing::HasSubstr;

constexpr LearnOptions kQuick{std::chrono::milliseconds(30), -1, 64, std::nullopt};

void press(EventPipe& pipe, int key) {
    pipe.frame(EV_KEY, key, 1);
    pipe.frame(EV_KEY, key, 0);
}

TEST(ControlLearner, TakesTheFirstSignificantChangeOfEachPrompt) {
    EventPipe pipe;
    // Buttons: noise before the trigger (an axis wobble, a release), then a repeated press of
    // the trigger, which must not bind FireA as well.
    pipe.frame(EV_ABS, ABS_X, 3);
    pipe.frame(EV_KEY, BTN_THUMB2, 0);
    press(pipe, BTN_TRIGGER);
    press(pipe, BTN_TRIGGER);
    press(pipe, BTN_THUMB);
    for (int key = BTN_THUMB2; key < BTN_THUMB2 + 12; ++key)
        press(pipe, key);
    // Hats: an axis pair (the y half moves first), then a hat made of four buttons.
    pipe.frame(EV_ABS, ABS_HAT1Y, -1);
    pipe.frame(EV_ABS, ABS_HAT1Y, 0);
    for (int key : {BTN_DPAD_UP, BTN_DPAD_RIGHT, BTN_DPAD_DOWN, BTN_DPAD_LEFT})
        press(pipe, key);
    ControlMap out;
    std::istringstream answers;
    std::ostringstream prompts;
    // The remaining two hats are skipped by the timeout, the axes follow in a second stream.
    EXPECT_TRUE(learnControlMap(pipe.reader(), answers, prompts, out, kQuick));
    EXPECT_EQ(out.buttons[0], BTN_TRIGGER);
    EXPECT_EQ(out.buttons[1], BTN_THUMB);
    EXPECT_EQ(out.buttons[13], BTN_THUMB2 + 11);
    EXPECT_EQ(out.hats[0].kind, HatBinding::Kind::AxisPair);
    EXPECT_EQ(out.hats[0].xCode, ABS_HAT1X);
    EXPECT_EQ(out.hats[0].yCode, ABS_HAT1Y);
    EXPECT_EQ(out.hats[1].kind, HatBinding::Kind::Buttons);
    EXPECT_EQ(out.hats[1].buttons,
              (std::array<int, 4>{BTN_DPAD_UP, BTN_DPAD_RIGHT, BTN_DPAD_DOWN, BTN_DPAD_LEFT}));
    EXPECT_EQ(out.hats[2].kind, HatBinding::Kind::None);
    EXPECT_EQ(out.axes[0].code, kUnbound);
    EXPECT_THAT(
        prompts.str(),
        HasSubstr("Trigger: pull the trigger on the front of the stick's grip ... BTN_TRIGGER\n"));
    EXPECT_THAT(prompts.str(),
                HasSubstr("MouseHat: push the mouse hat on the throttle up ... skipped (no answer "
                          "in time)\n"));
    EXPECT_THAT(prompts.str(), HasSubstr("Learnt 16 of 24 controls.\n"));

    // The learnt map is one the file format takes back.
    ControlMap read;
    std::vector<std::string> errors;
    EXPECT_TRUE(parseControlMap(formatControlMap(out), read, errors));
    EXPECT_EQ(read, out);
}

TEST(ControlLearner, AxesNeedAFarMove) {
    EventPipe pipe;
    for (int b = 0; b < player::kButtonCount; ++b)
        press(pipe, BTN_TRIGGER + b);
    for (int h = 0; h < player::kHatCount; ++h)
        pipe.frame(EV_ABS, ABS_HAT0X + 2 * h, -1);
    pipe.frame(EV_ABS, ABS_Y, 500); // first seen: the axis rests here
    pipe.frame(EV_ABS, ABS_Y, 540);
    pipe.frame(EV_ABS, ABS_HAT0X, 1); // hats never bind an axis
    pipe.frame(EV_ABS, ABS_Z, 0);
    pipe.frame(EV_ABS, ABS_Y, 580); // 80 from rest: XAxis
    pipe.frame(EV_ABS, ABS_Y, 10);  // already taken
    pipe.frame(EV_ABS, ABS_Z, 200); // YAxis
    pipe.closeWriter();
    std::istringstream answers;
    std::ostringstream prompts;
    ControlMap out;
    EXPECT_TRUE(learnControlMap(pipe.reader(), answers, prompts, out, kQuick));
    EXPECT_EQ(out.hats[3].xCode, ABS_HAT3X);
    EXPECT_EQ(out.axes[0].code, ABS_Y);
    EXPECT_EQ(out.axes[1].code, ABS_Z);
    EXPECT_FALSE(out.axes[0].range) << "a recording has no range: the device's applies later";
    EXPECT_EQ(out.axes[2].code, kUnbound);
    EXPECT_THAT(prompts.str(),
                HasSubstr("ZAxis: move the throttle lever from end to end ... (end of fd "));
    EXPECT_THAT(prompts.str(), HasSubstr("skipped (the event stream has ended)\n"));
    EXPECT_THAT(prompts.str(), HasSubstr("Learnt 20 of 24 controls.\n"));
}

TEST(ControlLearner, AnAnswerSkipsWhenNoEventWaits) {
    EventPipe pipe; // kept open: the stick is there but nobody works it
    std::istringstream answers("\n");
    std::ostringstream prompts;
    ControlMap out;
    pipe.frame(EV_KEY, BTN_THUMB, 1); // FireA pressed before its prompt
    EXPECT_TRUE(learnControlMap(pipe.reader(), answers, prompts, out, kQuick));
    EXPECT_EQ(out.buttons[0], BTN_THUMB) << "a waiting event comes before the answer";
    EXPECT_EQ(out.buttons[1], kUnbound);
    EXPECT_THAT(prompts.str(),
                HasSubstr("FireA: press the A button on the stick's head ... skipped\n"));
    EXPECT_THAT(prompts.str(),
                HasSubstr("FireB: press the B button on the stick's head ... skipped (no answer in "
                          "time)"));
}

TEST(ControlLearner, NothingLearntLeavesTheMapAlone) {
    EventPipe pipe;
    pipe.closeWriter();
    std::istringstream answers;
    std::ostringstream prompts;
    ControlMap out = defaultControlMap();
    EXPECT_FALSE(learnControlMap(pipe.reader(), answers, prompts, out, kQuick));
    EXPECT_EQ(out, defaultControlMap());
    EXPECT_THAT(prompts.str(), HasSubstr("Learnt 0 of 24 controls.\n"));
}

TEST(ControlLearner, LearnsFromSeveralDevicesAndKeepsWhatIsSkipped) {
    EventPipe stick;
    EventPipe throttle;
    for (int fd : {stick.reader(), throttle.reader()})
        ::fcntl(fd, F_SETFL, O_NONBLOCK); // as a joystick is read: without waiting
    RecordStream stickStream(stick.reader(), false, "stick");
    RecordStream throttleStream(throttle.reader(), false, "throttle");
    const DeviceMatch stickDevice{"stick", 0x06a3, 0x0c2d, "X36 Stick", ""};
    const DeviceMatch throttleDevice{"throttle", 0x06a3, 0x0255, "", ""};
    const LearnSource sources[] = {{&stickStream, stickDevice}, {&throttleStream, throttleDevice}};
    ControlMap map;
    map.devices = {stickDevice};
    map.buttons[2] = BTN_THUMB; // FireB, skipped below: kept
    map.buttonDevices[2] = "stick";
    map.buttons[3] = BTN_TOP; // Launch: its code goes to Trigger
    map.buttonDevices[3] = "stick";

    press(stick, BTN_TOP);        // Trigger, from the stick
    press(throttle, BTN_TRIGGER); // FireA, from the throttle
    std::istringstream answers;
    std::ostringstream prompts;
    LearnOptions options = kQuick;
    ASSERT_TRUE(learnControls(sources, answers, prompts, map, options));
    throttle.frame(EV_ABS, ABS_Z, 0);
    throttle.frame(EV_ABS, ABS_Z, 255);
    options.only = findControl("XAxis");
    ASSERT_TRUE(learnControls(sources, answers, prompts, map, options));
    EXPECT_EQ(map.buttons[0], BTN_TOP);
    EXPECT_EQ(map.buttonDevices[0], "stick");
    EXPECT_EQ(map.buttons[1], BTN_TRIGGER);
    EXPECT_EQ(map.buttonDevices[1], "throttle");
    EXPECT_EQ(map.buttons[2], BTN_THUMB) << "skipped: keeps its binding";
    EXPECT_EQ(map.buttons[3], kUnbound);
    EXPECT_EQ(map.axes[0].code, ABS_Z);
    EXPECT_EQ(map.axisDevices[0], "throttle");
    EXPECT_EQ(map.devices, (std::vector<DeviceMatch>{stickDevice, throttleDevice}));
    EXPECT_THAT(prompts.str(), HasSubstr("(Launch had that code and is now unbound)\n"));

    // One control alone: the rest of the map stays as it is.
    const ControlMap before = map;
    press(stick, BTN_BASE);
    options.only = findControl("FireB");
    prompts.str("");
    ASSERT_TRUE(learnControls(sources, answers, prompts, map, options));
    ControlMap expected = before;
    expected.buttons[2] = BTN_BASE;
    EXPECT_EQ(map, expected);
    EXPECT_THAT(prompts.str(),
                HasSubstr("FireB: press the B button on the stick's head ... BTN_BASE\n"));
    EXPECT_THAT(prompts.str(), HasSubstr("Learnt 1 of 1 controls.\n"));
}

TEST(ControlPlaces, EveryControlIsPlacedInTheSlotTablesOrder) {
    std::vector<std::string> names(buttonNames().begin(), buttonNames().end());
    names.insert(names.end(), hatNames().begin(), hatNames().end());
    names.insert(names.end(), axisNames().begin(), axisNames().end());
    ASSERT_EQ(controlPlaces().size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(controlPlaces()[i].control, names[i]);
        EXPECT_THAT(std::string(controlPlaces()[i].instruction),
                    HasSubstr(std::string(controlPlaces()[i].device)));
    }
    // The guide's table of places says the same, row by row.
    std::ifstream guide(VANTREL_GUIDE);
    const std::string text((std::istreambuf_iterator<char>(guide)), {});
    std::size_t at = text.find("id=\"x36-places\"");
    ASSERT_NE(at, std::string::npos);
    for (const ControlPlace& row : controlPlaces()) {
        std::string place(row.place);
        for (std::size_t amp = place.find('&'); amp != std::string::npos;
             amp = place.find('&', amp + 1))
            place.replace(amp, 1, "&amp;");
        const std::string line = "<tr><td><code>" + std::string(row.control) + "</code></td><td>" +
                                 std::string(row.device) + "</td><td>" + place + "</td></tr>";
        at = text.find(line, at);
        EXPECT_NE(at, std::string::npos) << line;
    }
}

} // namespace
} // namespace vantrel::driver
