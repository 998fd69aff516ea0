#pragma once

#include "device/player/PlayerTypes.h"

#include <array>
#include <optional>

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

// Which evdev code of the physical joystick drives which of the X36's controls, indexed as
// player::ControlInput indexes them.
struct ControlMap {
    std::array<int, player::kButtonCount> buttons{}; // EV_KEY codes
    std::array<HatBinding, player::kHatCount> hats{};
    std::array<AxisBinding, player::kAxisCount> axes{};

    ControlMap() { buttons.fill(kUnbound); }
    bool operator==(const ControlMap&) const = default;
};

// The map for a generic HID joystick as the kernel presents it: buttons from BTN_TRIGGER on,
// axes ABS_X, ABS_Y, ABS_Z, ABS_RX, ABS_RY, ABS_THROTTLE, hats ABS_HAT0X/Y .. ABS_HAT3X/Y.
ControlMap defaultControlMap();

// Scales a raw value in range to kAxisMinimum..kAxisMaximum (values outside are clamped).
int scaleAxis(int value, AxisRange range, bool inverted);

} // namespace vantrel::driver
