#include "io/UinputLayout.h"

#include "io/HidUsageTable.h"
#include "io/VirtualDeviceMark.h"
#include "io/X36Controls.h"

#include <libevdev/libevdev.h>

#include <algorithm>

namespace vantrel::driver {
namespace {

using Action = player::OutputAction;

constexpr int kButtonsBeforeHappy = BTN_BASE6 - BTN_TRIGGER + 1;
constexpr int kJoystickButtonCount = 64;
constexpr unsigned kJoystickAxes[player::kAxisCount] = {ABS_X,  ABS_Y,  ABS_Z,
                                                        ABS_RX, ABS_RY, ABS_RZ};
// Mouse buttons 1 left, 2 right, 3 middle.
constexpr unsigned kMouseButtons[] = {BTN_LEFT, BTN_RIGHT, BTN_MIDDLE};

std::vector<UinputEvent> keyEvent(VirtualDevice device, int code, bool down) {
    if (code < 0)
        return {};
    return {{device, EV_KEY, static_cast<unsigned>(code), down ? 1 : 0}};
}

int hidKeyCode(int usage) {
    const HidKey* key = findHidKey(usage);
    return key ? key->linuxKey : -1;
}

int mouseButtonCode(int button) {
    if (button < 1 || button > 3)
        return -1;
    return static_cast<int>(kMouseButtons[button - 1]);
}

} // namespace

VirtualDeviceSetup keyboardMouseSetup() {
    VirtualDeviceSetup setup;
    setup.name = "Vantrel virtual keyboard and mouse";
    for (const HidKey& key : hidKeys()) {
        if (std::find(setup.keys.begin(), setup.keys.end(), key.linuxKey) == setup.keys.end())
            setup.keys.push_back(key.linuxKey);
    }
    setup.keys.insert(setup.keys.end(), std::begin(kMouseButtons), std::end(kMouseButtons));
    setup.relatives = {REL_X, REL_Y};
    return setup;
}

VirtualDeviceSetup joystickSetup() {
    VirtualDeviceSetup setup;
    setup.name = "Vantrel virtual joystick";
    for (int button = 1; button <= kJoystickButtonCount; ++button)
        setup.keys.push_back(static_cast<unsigned>(joystickButtonCode(button)));
    for (unsigned axis : kJoystickAxes)
        setup.absolutes.push_back({axis, player::kAxisMinimum, player::kAxisMaximum});
    for (int h = 0; h < player::kHatCount; ++h) {
        setup.absolutes.push_back({static_cast<unsigned>(ABS_HAT0X + 2 * h), -1, 1});
        setup.absolutes.push_back({static_cast<unsigned>(ABS_HAT0Y + 2 * h), -1, 1});
    }
    return setup;
}

int joystickButtonCode(int button) {
    if (button < 1 || button > kJoystickButtonCount)
        return -1;
    if (button <= kButtonsBeforeHappy)
        return BTN_TRIGGER + button - 1;
    return BTN_TRIGGER_HAPPY1 + button - 1 - kButtonsBeforeHappy;
}

std::vector<UinputEvent> uinputEvents(const Action& action) {
    constexpr VirtualDevice desktop = VirtualDevice::KeyboardMouse;
    constexpr VirtualDevice joystick = VirtualDevice::Joystick;
    switch (action.kind) {
    case Action::Kind::KeyDown:
    case Action::Kind::KeyUp:
        return keyEvent(desktop, hidKeyCode(action.code), action.kind == Action::Kind::KeyDown);
    case Action::Kind::MouseButtonDown:
    case Action::Kind::MouseButtonUp:
        return keyEvent(desktop, mouseButtonCode(action.code),
                        action.kind == Action::Kind::MouseButtonDown);
    case Action::Kind::JoyButtonDown:
    case Action::Kind::JoyButtonUp:
        return keyEvent(joystick, joystickButtonCode(action.code),
                        action.kind == Action::Kind::JoyButtonDown);
    case Action::Kind::MouseMoveX:
        return {{desktop, EV_REL, REL_X, action.value}};
    case Action::Kind::MouseMoveY:
        return {{desktop, EV_REL, REL_Y, action.value}};
    case Action::Kind::JoyHat: {
        if (action.code < 0 || action.code >= player::kHatCount || action.value < 0 ||
            action.value >= player::kHatDirectionCount)
            return {};
        const HatOffsets offsets = hatOffsets(action.value);
        const auto x = static_cast<unsigned>(ABS_HAT0X + 2 * action.code);
        return {{joystick, EV_ABS, x, offsets.x}, {joystick, EV_ABS, x + 1, offsets.y}};
    }
    case Action::Kind::JoyAxis:
        if (action.code < 0 || action.code >= player::kAxisCount)
            return {};
        return {{joystick, EV_ABS, kJoystickAxes[action.code],
                 std::clamp(action.value, player::kAxisMinimum, player::kAxisMaximum)}};
    }
    return {};
}

void LibevdevDeleter::operator()(libevdev* device) const {
    libevdev_free(device);
}

LibevdevPointer describeVirtualDevice(const VirtualDeviceSetup& setup) {
    LibevdevPointer device(libevdev_new());
    if (!device)
        return nullptr;
    libevdev_set_name(device.get(), setup.name.c_str());
    libevdev_set_phys(device.get(), std::string(kVirtualDevicePhys).c_str());
    libevdev_set_id_bustype(device.get(), BUS_VIRTUAL);
    for (unsigned key : setup.keys)
        libevdev_enable_event_code(device.get(), EV_KEY, key, nullptr);
    for (unsigned relative : setup.relatives)
        libevdev_enable_event_code(device.get(), EV_REL, relative, nullptr);
    for (const AbsSetup& abs : setup.absolutes) {
        input_absinfo info{};
        info.minimum = abs.minimum;
        info.maximum = abs.maximum;
        libevdev_enable_event_code(device.get(), EV_ABS, abs.code, &info);
    }
    return device;
}

} // namespace vantrel::driver
