#pragma once

#include "device/player/PlayerTypes.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vantrel::driver {

// An evdev code that no control uses.
inline constexpr int kUnbound = -1;

// A raw axis range as the device reports it.
struct AxisRange {
    int minimum = 0;
    int maximum = 0;
    bool operator==(const AxisRange&) const = default;
};

// A hat is either an evdev hat axis pair (each -1, 0 or 1) or four buttons.
struct HatBinding {
    enum class Kind { None, AxisPair, Buttons };
    enum Button { Up, Right, Down, Left };
    Kind kind = Kind::None;
    int xCode = kUnbound;                                               // EV_ABS
    int yCode = kUnbound;                                               // EV_ABS
    std::array<int, 4> buttons{kUnbound, kUnbound, kUnbound, kUnbound}; // EV_KEY, by Button
    bool operator==(const HatBinding&) const = default;
};

struct AxisBinding {
    int code = kUnbound;            // EV_ABS
    std::optional<AxisRange> range; // without one, the device's own range applies
    bool inverted = false;
    bool operator==(const AxisBinding&) const = default;
};

// A device the map names by a label of its own: by USB vendor and product (and, where given,
// the evdev name), or by its name under /dev/input/by-id. Both survive a re-plug and a reboot.
struct DeviceMatch {
    std::string label;
    int vendor = -1; // with product; -1 when matched by byId
    int product = -1;
    std::string name; // empty: any name
    std::string byId; // "usb-...-event-joystick"
    bool operator==(const DeviceMatch&) const = default;
};

// What a device opened says of itself, to be matched against the map's devices.
struct DeviceIdentity {
    std::string path; // as opened: /dev/input/eventN, a by-id link, a FIFO
    int vendor = -1;  // -1 for a stream of records, which has none
    int product = -1;
    std::string name;
};

// Which evdev code of which physical device drives which of the X36's controls, indexed as
// player::ControlInput indexes them. A control's device is a label of devices, or empty for
// whichever device is taken (all of them, in a map that names no device).
struct ControlMap {
    std::array<int, player::kButtonCount> buttons{}; // EV_KEY codes
    std::array<HatBinding, player::kHatCount> hats{};
    std::array<AxisBinding, player::kAxisCount> axes{};
    std::vector<DeviceMatch> devices;
    std::array<std::string, player::kButtonCount> buttonDevices{};
    std::array<std::string, player::kHatCount> hatDevices{};
    std::array<std::string, player::kAxisCount> axisDevices{};

    ControlMap() { buttons.fill(kUnbound); }
    bool operator==(const ControlMap&) const = default;
};

// The label of the first of the map's devices that the identity matches; empty for none.
std::string deviceLabelFor(const ControlMap& map, const DeviceIdentity& identity);
// Whether the map lets a device with this label (empty: matching none of its devices) drive
// anything: a map that names no device takes every device for all its controls.
bool drivesAnything(const ControlMap& map, const std::string& label);
// The map as seen by one device: the bindings of its label and those without a device.
ControlMap bindingsOf(const ControlMap& map, const std::string& label);

// The map for a generic HID joystick as the kernel presents it: buttons from BTN_TRIGGER on,
// axes ABS_X, ABS_Y, ABS_Z, ABS_RX, ABS_RY, ABS_THROTTLE, hats ABS_HAT0X/Y .. ABS_HAT3X/Y.
ControlMap defaultControlMap();

// Scales a raw value in range to kAxisMinimum..kAxisMaximum (values outside are clamped).
int scaleAxis(int value, AxisRange range, bool inverted);

} // namespace vantrel::driver
