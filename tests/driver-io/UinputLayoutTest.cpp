#include "io/DriverIo.h"
#include "io/HidUsageTable.h"
#include "io/JoystickDiscovery.h"
#include "io/UinputBackend.h"
#include "io/VirtualDeviceMark.h"

#include "profile/KeyNames.h"

#include <libevdev/libevdev.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace vantrel::driver {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Action = player::OutputAction;
constexpr VirtualDevice kDesktop = VirtualDevice::KeyboardMouse;
constexpr VirtualDevice kJoystick = VirtualDevice::Joystick;

TEST(HidUsageTable, CoversEveryKeyTheScriptLanguageNames) {
    for (const NamedCode& key : pressKeyNames()) {
        const HidKey* hid = findHidKey(key.data);
        ASSERT_NE(hid, nullptr) << key.name;
        EXPECT_NE(hid->linuxKey, 0) << key.name;
        EXPECT_NE(hid->keySym, 0u) << key.name;
    }
    EXPECT_EQ(findHidKey(4)->linuxKey, KEY_A);
    EXPECT_EQ(findHidKey(40)->linuxKey, KEY_ENTER);
    EXPECT_EQ(findHidKey(57)->linuxKey, KEY_CAPSLOCK);
    EXPECT_EQ(findHidKey(70)->linuxKey, KEY_SYSRQ);
    EXPECT_EQ(findHidKey(99)->linuxKey, KEY_KPDOT);
    EXPECT_EQ(findHidKey(231)->linuxKey, KEY_RIGHTMETA);
    EXPECT_EQ(findHidKey(3), nullptr);
    EXPECT_EQ(findHidKey(100), nullptr);
    EXPECT_EQ(findHidKey(232), nullptr);
}

TEST(UinputLayout, JoystickButtonsAreNumberedInCodeOrder) {
    EXPECT_EQ(joystickButtonCode(1), BTN_TRIGGER);
    EXPECT_EQ(joystickButtonCode(12), BTN_BASE6);
    EXPECT_EQ(joystickButtonCode(13), BTN_TRIGGER_HAPPY1);
    EXPECT_EQ(joystickButtonCode(64), BTN_TRIGGER_HAPPY1 + 51);
    EXPECT_EQ(joystickButtonCode(0), -1);
    EXPECT_EQ(joystickButtonCode(65), -1);
    for (int button = 2; button <= 64; ++button)
        EXPECT_LT(joystickButtonCode(button - 1), joystickButtonCode(button));
    EXPECT_LE(joystickButtonCode(64), KEY_MAX);
}

TEST(UinputLayout, DevicesAnnounceWhatActionsSend) {
    const LibevdevPointer desktop = describeVirtualDevice(keyboardMouseSetup());
    const LibevdevPointer joystick = describeVirtualDevice(joystickSetup());
    ASSERT_TRUE(desktop && joystick);
    EXPECT_STREQ(libevdev_get_name(joystick.get()), "Vantrel virtual joystick");
    for (const HidKey& key : hidKeys())
        EXPECT_TRUE(libevdev_has_event_code(desktop.get(), EV_KEY, key.linuxKey)) << +key.usage;
    for (unsigned code : {BTN_LEFT, BTN_RIGHT, BTN_MIDDLE})
        EXPECT_TRUE(libevdev_has_event_code(desktop.get(), EV_KEY, code));
    EXPECT_TRUE(libevdev_has_event_code(desktop.get(), EV_REL, REL_X));
    EXPECT_TRUE(libevdev_has_event_code(desktop.get(), EV_REL, REL_Y));
    EXPECT_FALSE(libevdev_has_event_type(desktop.get(), EV_ABS))
        << "an absolute axis would make the mouse a tablet";
    EXPECT_FALSE(libevdev_has_event_code(desktop.get(), EV_KEY, BTN_TRIGGER));

    for (int button = 1; button <= 64; ++button)
        EXPECT_TRUE(libevdev_has_event_code(joystick.get(), EV_KEY,
                                            static_cast<unsigned>(joystickButtonCode(button))));
    for (unsigned code : {ABS_X, ABS_Y, ABS_Z, ABS_RX, ABS_RY, ABS_RZ}) {
        const input_absinfo* info = libevdev_get_abs_info(joystick.get(), code);
        ASSERT_NE(info, nullptr) << code;
        EXPECT_EQ(info->minimum, -32767);
        EXPECT_EQ(info->maximum, 32767);
    }
    for (unsigned code = ABS_HAT0X; code <= ABS_HAT3Y; ++code) {
        const input_absinfo* info = libevdev_get_abs_info(joystick.get(), code);
        ASSERT_NE(info, nullptr) << code;
        EXPECT_EQ(info->minimum, -1);
        EXPECT_EQ(info->maximum, 1);
    }
    EXPECT_FALSE(libevdev_has_event_type(joystick.get(), EV_REL));
}

TEST(UinputLayout, VirtualDevicesAreMarkedSoNoDriverTakesThem) {
    for (const VirtualDeviceSetup& setup : {keyboardMouseSetup(), joystickSetup()}) {
        const LibevdevPointer device = describeVirtualDevice(setup);
        ASSERT_TRUE(device);
        EXPECT_TRUE(isVantrelVirtualDevice(libevdev_get_phys(device.get()), ""));
        EXPECT_TRUE(isVantrelVirtualDevice("", libevdev_get_name(device.get())))
            << "a device of an older driver is known by its name";
    }
    EXPECT_FALSE(isVantrelVirtualDevice("usb-0000:00:14.0-2/input0", "Saitek X36"));
}

TEST(UinputLayout, ActionsBecomeEventsOfTheirDevice) {
    EXPECT_THAT(uinputEvents({Action::Kind::KeyDown, 4, 0}),
                ElementsAre(UinputEvent{kDesktop, EV_KEY, KEY_A, 1}));
    EXPECT_THAT(uinputEvents({Action::Kind::KeyUp, 225, 0}),
                ElementsAre(UinputEvent{kDesktop, EV_KEY, KEY_LEFTSHIFT, 0}));
    EXPECT_THAT(uinputEvents({Action::Kind::MouseButtonDown, 2, 0}),
                ElementsAre(UinputEvent{kDesktop, EV_KEY, BTN_RIGHT, 1}));
    EXPECT_THAT(uinputEvents({Action::Kind::MouseButtonUp, 3, 0}),
                ElementsAre(UinputEvent{kDesktop, EV_KEY, BTN_MIDDLE, 0}));
    EXPECT_THAT(uinputEvents({Action::Kind::MouseMoveY, 0, -7}),
                ElementsAre(UinputEvent{kDesktop, EV_REL, REL_Y, -7}));
    EXPECT_THAT(uinputEvents({Action::Kind::JoyButtonDown, 13, 0}),
                ElementsAre(UinputEvent{kJoystick, EV_KEY, BTN_TRIGGER_HAPPY1, 1}));
    EXPECT_THAT(uinputEvents({Action::Kind::JoyHat, 1, 2}),
                ElementsAre(UinputEvent{kJoystick, EV_ABS, ABS_HAT1X, 1},
                            UinputEvent{kJoystick, EV_ABS, ABS_HAT1Y, -1}));
    EXPECT_THAT(uinputEvents({Action::Kind::JoyAxis, 5, -40000}),
                ElementsAre(UinputEvent{kJoystick, EV_ABS, ABS_RZ, -32767}));
    for (const Action& outOfRange :
         {Action{Action::Kind::KeyDown, 100, 0}, Action{Action::Kind::MouseButtonDown, 4, 0},
          Action{Action::Kind::JoyButtonUp, 65, 0}, Action{Action::Kind::JoyHat, 4, 0},
          Action{Action::Kind::JoyHat, 0, 9}, Action{Action::Kind::JoyAxis, 6, 0}})
        EXPECT_THAT(uinputEvents(outOfRange), IsEmpty()) << static_cast<int>(outOfRange.kind);
}

TEST(UinputLayout, CreatesTheDevicesWhereUinputExists) {
    if (!std::filesystem::exists("/dev/uinput"))
        GTEST_SKIP() << "this machine has no /dev/uinput; the device setup is tested above";
    std::string error;
    const std::unique_ptr<OutputBackend> backend = openUinputBackend(error);
    ASSERT_TRUE(backend) << error;
    EXPECT_TRUE(backend->offersJoystick());
    backend->emit({Action::Kind::JoyAxis, 0, 1000}, player::Time{0});
}

TEST(JoystickDiscovery, ListsOnlyJoystickEventNodes) {
    std::string error;
    const std::unique_ptr<JoystickDiscovery> discovery = JoystickDiscovery::open(error);
    if (!discovery)
        GTEST_SKIP() << "udev is not reachable here: " << error;
    for (const std::string& node : discovery->joysticks())
        EXPECT_TRUE(node.starts_with("/dev/input/event")) << node;
    EXPECT_EQ(discovery->firstJoystick().has_value(), !discovery->joysticks().empty());
    std::vector<JoystickChange> changes;
    if (discovery->fd() < 0) {
        EXPECT_FALSE(discovery->readChanges(changes));
        GTEST_SKIP() << discovery->monitorError();
    }
    EXPECT_TRUE(discovery->readChanges(changes)) << "nothing waiting must not block or fail";
}

} // namespace
} // namespace vantrel::driver
