#pragma once

#include "device/player/PlayerTypes.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vantrel::driver {

// The X36's controls by name, in the order the device numbers them: the names index the
// buttons, hats and axes of player::ControlInput.
std::span<const std::string> buttonNames(); // Trigger, FireA, ... Aux3
std::span<const std::string> hatNames();    // StickHat1, ThrottleHat1, MouseHat, StickHat2
std::span<const std::string> axisNames();   // XAxis ... R2Axis

struct ControlRef {
    player::ControlInput::Kind kind = player::ControlInput::Kind::Button;
    int index = 0;
    bool operator==(const ControlRef&) const = default;
};

// A control by its exact name (letter case included).
std::optional<ControlRef> findControl(std::string_view name);
const std::string& controlName(ControlRef control);

// A hat's direction 0..8 (0 Center, 1 Up, 2 UpRight, ... 8 UpLeft) from its two offsets, each
// -1, 0 or 1 (x: left to right; y: up to down, as evdev reports hats), and the way back.
int hatDirection(int x, int y);
struct HatOffsets {
    int x = 0;
    int y = 0;
};
HatOffsets hatOffsets(int direction);

} // namespace vantrel::driver
