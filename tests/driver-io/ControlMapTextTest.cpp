#include "io/ControlMapText.h"
#include "io/X36Controls.h"

#include <linux/input-event-codes.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel::driver {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::vector<std::string> errorsOf(std::string_view text) {
    ControlMap map;
    std::vector<std::string> errors;
    EXPECT_FALSE(parseControlMap(text, map, errors));
    EXPECT_EQ(map, ControlMap{}) << "a faulty text must leave the map alone";
    return errors;
}

TEST(ControlNames, FollowTheDeviceOrder) {
    EXPECT_THAT(buttonNames(),
                ElementsAre("Trigger", "FireA", "FireB", "Launch", "FireD", "MouseButton", "Shift",
                            "FireC", "Mode1", "Mode2", "Mode3", "Aux1", "Aux2", "Aux3"));
    EXPECT_THAT(hatNames(), ElementsAre("StickHat1", "ThrottleHat1", "MouseHat", "StickHat2"));
    EXPECT_THAT(axisNames(), ElementsAre("XAxis", "YAxis", "ZAxis", "RAxis", "R1Axis", "R2Axis"));
    EXPECT_EQ(hatDirection(0, 0), 0);
    EXPECT_EQ(hatDirection(0, -1), 1);
    EXPECT_EQ(hatDirection(1, -1), 2);
    EXPECT_EQ(hatDirection(1, 1), 4);
    EXPECT_EQ(hatDirection(-5, 3), 6) << "offsets count by their sign";
    EXPECT_EQ(hatDirection(-1, -1), 8);
    for (int d = 0; d < player::kHatDirectionCount; ++d)
        EXPECT_EQ(hatDirection(hatOffsets(d).x, hatOffsets(d).y), d);
}

TEST(ControlMapText, DefaultMapReadsBackAndNamesCodes) {
    const ControlMap map = defaultControlMap();
    const std::string text = formatControlMap(map);
    EXPECT_THAT(text, HasSubstr("Trigger = BTN_TRIGGER\n"));
    EXPECT_THAT(text, HasSubstr("Aux3 = 301\n")) << "a code without a name is written as a number";
    EXPECT_THAT(text, HasSubstr("StickHat2 = ABS_HAT3X ABS_HAT3Y\n"));
    EXPECT_THAT(text, HasSubstr("R2Axis = ABS_THROTTLE\n"));
    ControlMap read;
    std::vector<std::string> errors;
    ASSERT_TRUE(parseControlMap(text, read, errors)) << ::testing::PrintToString(errors);
    EXPECT_EQ(read, map);
}

TEST(ControlMapText, EveryFormOfBindingRoundTrips) {
    const std::string text = "# a stick with a button hat\r\n"
                             "Trigger=BTN_TRIGGER\r\n"
                             "  FireA   =  288 \n" // the same code as a number: already used
                             "\n";
    std::vector<std::string> errors;
    ControlMap map;
    EXPECT_FALSE(parseControlMap(text, map, errors));
    EXPECT_THAT(errors, ElementsAre("line 3: 288 already drives Trigger"));

    const std::string good = "Trigger = BTN_TRIGGER # the trigger\r\n"
                             "Launch = KEY_A\n"
                             "Aux3 = none\n"
                             "MouseHat = BTN_DPAD_UP BTN_DPAD_RIGHT BTN_DPAD_DOWN BTN_DPAD_LEFT\n"
                             "StickHat1 = ABS_HAT1X ABS_HAT1Y\n"
                             "XAxis = ABS_X\n"
                             "YAxis = ABS_Y -512 511 inverted\n"
                             "ZAxis = ABS_Z inverted\n"
                             "RAxis = ABS_RZ 0 +1023\n";
    ASSERT_TRUE(parseControlMap(good, map, errors)) << ::testing::PrintToString(errors);
    EXPECT_EQ(map.buttons[0], BTN_TRIGGER);
    EXPECT_EQ(map.buttons[3], KEY_A);
    EXPECT_EQ(map.buttons[13], kUnbound);
    EXPECT_EQ(map.hats[2].kind, HatBinding::Kind::Buttons);
    EXPECT_EQ(map.hats[2].buttons[HatBinding::Left], BTN_DPAD_LEFT);
    EXPECT_EQ(map.hats[0].kind, HatBinding::Kind::AxisPair);
    EXPECT_EQ(map.hats[0].yCode, ABS_HAT1Y);
    EXPECT_EQ(map.hats[1].kind, HatBinding::Kind::None);
    EXPECT_EQ(map.axes[1].range, (AxisRange{-512, 511}));
    EXPECT_TRUE(map.axes[1].inverted);
    EXPECT_FALSE(map.axes[2].range);
    EXPECT_TRUE(map.axes[2].inverted);
    EXPECT_EQ(map.axes[3].range, (AxisRange{0, 1023}));
    EXPECT_EQ(map.axes[4].code, kUnbound);

    ControlMap again;
    ASSERT_TRUE(parseControlMap(formatControlMap(map), again, errors));
    EXPECT_EQ(again, map);

    map.hats[3].kind = HatBinding::Kind::Buttons; // with no buttons: nothing a file can say
    EXPECT_THAT(formatControlMap(map), HasSubstr("StickHat2 = none\n"));
}

TEST(ControlMapText, DevicesAreNamedOnceAndBindingsSayWhichTheyComeFrom) {
    const std::string text = "Trigger = stick BTN_TRIGGER\n"
                             "FireA = BTN_TRIGGER # no device: whichever is taken\n"
                             "ZAxis = throttle ABS_Z 0 255 inverted\n"
                             "RAxis = pedals ABS_RZ\n"
                             "XAxis = stick ABS_X\n"
                             "ThrottleHat1 = throttle BTN_0 BTN_1 BTN_2 BTN_3\n"
                             "StickHat1 = stick ABS_HAT0X ABS_HAT0Y\n"
                             "device stick = 06A3:0c2d \"Saitek X36 # Stick\"\n"
                             "device throttle = 6a3:255\n"
                             "device pedals = usb-CH_Products_Pro_Pedals-event-joystick\n";
    ControlMap map;
    std::vector<std::string> errors;
    ASSERT_TRUE(parseControlMap(text, map, errors)) << ::testing::PrintToString(errors);
    EXPECT_EQ(map.devices,
              (std::vector<DeviceMatch>{
                  {"stick", 0x06a3, 0x0c2d, "Saitek X36 # Stick", ""},
                  {"throttle", 0x06a3, 0x0255, "", ""},
                  {"pedals", -1, -1, "", "usb-CH_Products_Pro_Pedals-event-joystick"}}));
    EXPECT_EQ(map.buttons[0], BTN_TRIGGER);
    EXPECT_EQ(map.buttons[1], BTN_TRIGGER) << "one code may drive controls of two devices";
    EXPECT_EQ(map.buttonDevices[0], "stick");
    EXPECT_EQ(map.buttonDevices[1], "");
    EXPECT_EQ(map.axisDevices[2], "throttle");
    EXPECT_EQ(map.axes[2].range, (AxisRange{0, 255}));
    EXPECT_TRUE(map.axes[2].inverted);
    EXPECT_EQ(map.hatDevices[1], "throttle");
    EXPECT_EQ(map.hats[1].buttons[HatBinding::Left], BTN_3);

    const std::string written = formatControlMap(map);
    EXPECT_THAT(written, HasSubstr("\ndevice stick = 06a3:0c2d \"Saitek X36 # Stick\"\n"));
    EXPECT_THAT(written, HasSubstr("\nZAxis = throttle ABS_Z 0 255 inverted\n"));
    EXPECT_THAT(written, HasSubstr("\nFireA = BTN_TRIGGER\n"));
    ControlMap again;
    ASSERT_TRUE(parseControlMap(written, again, errors)) << ::testing::PrintToString(errors);
    EXPECT_EQ(again, map);

    const ControlMap throttle = bindingsOf(map, "throttle");
    EXPECT_EQ(throttle.buttons[0], kUnbound) << "the stick's trigger";
    EXPECT_EQ(throttle.buttons[1], BTN_TRIGGER);
    EXPECT_EQ(throttle.axes[2].code, ABS_Z);
    EXPECT_EQ(throttle.axes[0].code, kUnbound);
    EXPECT_EQ(deviceLabelFor(map, {"/dev/input/event7", 0x06a3, 0x0255, "X36 Throttle"}),
              "throttle");
    EXPECT_EQ(deviceLabelFor(map, {"/dev/input/event6", 0x06a3, 0x0c2d, "Saitek X36"}), "")
        << "a name given must match too";
    EXPECT_TRUE(drivesAnything(map, "")) << "FireA comes from any device";
    map.buttons[1] = kUnbound;
    EXPECT_FALSE(drivesAnything(map, ""));
    EXPECT_TRUE(drivesAnything(defaultControlMap(), ""));

    // A sign is no hex digit, though the number reader would take one.
    EXPECT_THAT(errorsOf("device stick = -6a3:0255\n"),
                ElementsAre("line 1: device stick needs vendor:product in hex (and, if wished, the "
                            "device's name in quotes) or a name under /dev/input/by-id"));
    EXPECT_THAT(errorsOf("device BTN_A = 1:2\n"
                         "device 12 = 1:2\n"
                         "device none = 1:2\n"
                         "device stick = 06a3\n"
                         "device stick2 = 1:2 Saitek\n"
                         "device stick3 = 1:2 \"Saitek\n"
                         "device stick4 = usb-x-event-joystick\n"
                         "device stick4 = 1:2\n"
                         "device sti\"ck = 1:2\n"
                         "Trigger = stik BTN_TRIGGER\n"
                         "FireA = stick4 BTN_A\n"
                         "FireB = stick4 BTN_A\n"
                         "device stick5\n"),
                ElementsAre("line 1: \"BTN_A\" is an evdev code, not a name for a device",
                            "line 2: \"12\" cannot name a device",
                            "line 3: \"none\" cannot name a device",
                            "line 4: device stick needs vendor:product in hex (and, if wished, the "
                            "device's name in quotes) or a name under /dev/input/by-id",
                            "line 5: device stick2: after vendor:product comes only the device's "
                            "name in quotes",
                            "line 6: device stick3: after vendor:product comes only the device's "
                            "name in quotes",
                            "line 8: device stick4 is already declared on line 7",
                            "line 9: a device's label is one word of letters, digits, '_', '-' "
                            "and '.'",
                            "line 10: \"stik\" is not a device of this map (declare it: device "
                            "stik = vendor:product)",
                            "line 12: BTN_A already drives FireA",
                            "line 13: expected device <label> = <device>"));
}

TEST(ControlMapText, FaultsAreListedWithTheirLines) {
    EXPECT_THAT(errorsOf("Trigger BTN_TRIGGER\n"
                         "Trigga = BTN_TRIGGER\n"
                         "FireA = BTN_NOPE\n"
                         "FireB = ABS_X\n"
                         "trigger = BTN_THUMB\n"
                         "XAxis = ABS_X 10 10\n"
                         "YAxis = ABS_Y 0 x\n"
                         "ZAxis = ABS_Z 0\n"
                         "StickHat1 = ABS_HAT0X\n"
                         "StickHat2 = ABS_HAT3X ABS_HAT3X\n"
                         "Launch =\n"
                         "Shift = BTN_A BTN_B\n"
                         "FireC = 99999\n"),
                ElementsAre("line 1: expected <control> = <binding>, or device <label> = <device>",
                            "line 2: \"Trigga\" is not a control of the X36",
                            "line 3: \"BTN_NOPE\" is not an EV_KEY code (FireA)",
                            "line 4: \"ABS_X\" is not an EV_KEY code (FireB)",
                            "line 5: \"trigger\" is not a control of the X36",
                            "line 6: XAxis: the range's minimum must be below its maximum",
                            "line 7: YAxis: the range must be two whole numbers",
                            "line 8: ZAxis takes an EV_ABS code, optionally a range (minimum "
                            "maximum) and inverted",
                            "line 9: StickHat1 takes two EV_ABS codes (x y) or four EV_KEY codes "
                            "(up right down left)",
                            "line 10: ABS_HAT3X is named twice for StickHat2",
                            "line 11: Launch needs a binding (or none)",
                            "line 12: Shift takes one EV_KEY code",
                            "line 13: \"99999\" is not an EV_KEY code (FireC)"));
    EXPECT_THAT(errorsOf("XAxis = ABS_X\nTrigger = BTN_TRIGGER\nXAxis = ABS_Y\n"),
                ElementsAre("line 3: XAxis is already bound on line 1"));
    EXPECT_THAT(errorsOf("XAxis = ABS_X\nStickHat1 = ABS_Y ABS_X\n"),
                ElementsAre("line 2: ABS_X already drives XAxis"));
    const std::vector<std::string> many =
        errorsOf(std::string(100, '\n') + std::string(50 * 4, 'x'));
    EXPECT_EQ(many.size(), 1u);
    std::string flood;
    for (int i = 0; i < 40; ++i)
        flood += "nonsense\n";
    const std::vector<std::string> capped = errorsOf(flood);
    ASSERT_EQ(capped.size(), 21u);
    EXPECT_EQ(capped.back(), "further faults are not listed");
}

class ControlMapFile : public ::testing::Test {
protected:
    void SetUp() override {
        directory_ = std::filesystem::temp_directory_path() /
                     ("vantrel-map-" + std::to_string(::getpid()) + "-" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(directory_);
    }
    void TearDown() override {
        std::filesystem::permissions(directory_, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(directory_);
    }
    std::filesystem::path directory_;
};

TEST_F(ControlMapFile, SavesAndLoadsAndReportsBadFiles) {
    const std::filesystem::path path = directory_ / "stick.map";
    std::string error;
    ControlMap map = defaultControlMap();
    map.axes[0].inverted = true;
    ASSERT_TRUE(saveControlMap(path, map, error)) << error;
    ControlMap read;
    std::vector<std::string> errors;
    ASSERT_TRUE(loadControlMap(path, read, errors)) << ::testing::PrintToString(errors);
    EXPECT_EQ(read, map);

    std::ofstream(path, std::ios::app) << "Bogus = 1\n";
    EXPECT_FALSE(loadControlMap(path, read, errors));
    EXPECT_THAT(errors,
                ElementsAre(path.string() + ": line 36: \"Bogus\" is not a control of the X36"));
    EXPECT_EQ(read, map);

    errors.clear();
    EXPECT_FALSE(loadControlMap(directory_ / "missing.map", read, errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_THAT(errors[0], HasSubstr("cannot read"));

    errors.clear();
    std::filesystem::resize_file(path, 5 << 20);
    EXPECT_FALSE(loadControlMap(path, read, errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_THAT(errors[0], HasSubstr("too large"));
}

TEST_F(ControlMapFile, ASaveThatCannotBeWrittenSaysSo) {
    const std::filesystem::path notAFolder = directory_ / "plain";
    std::ofstream(notAFolder) << "x";
    std::string error;
    EXPECT_FALSE(saveControlMap(notAFolder / "stick.map", defaultControlMap(), error));
    EXPECT_THAT(error, HasSubstr("cannot write " + (notAFolder / "stick.map").string()));
}

} // namespace
} // namespace vantrel::driver
