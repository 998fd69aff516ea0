#include "controls/ControlSpots.h"

#include <cmath>
#include <numbers>

namespace vantrel {
namespace {

using Picture = ControlSpot::Picture;
using Kind = player::ControlInput::Kind;

constexpr ControlSpot button(Picture picture, int index, int x, int y, int radius) {
    return {picture, {Kind::Button, index, 0}, x, y, radius};
}
constexpr ControlSpot hat(Picture picture, int index, int x, int y, int radius) {
    return {picture, {Kind::Hat, index, 0}, x, y, radius};
}

// Buttons in the player's order: Trigger FireA FireB Launch FireD MouseButton Shift FireC
// Mode1 Mode2 Mode3 Aux1 Aux2 Aux3; hats StickHat1 ThrottleHat1 MouseHat StickHat2.
constexpr ControlSpot kSpots[] = {
    button(Picture::Stick, 0, 206, 99, 10),     button(Picture::Stick, 1, 66, 122, 10),
    button(Picture::Stick, 2, 100, 140, 10),    button(Picture::Stick, 3, 120, 53, 12),
    button(Picture::Throttle, 4, 150, 70, 8),   button(Picture::Throttle, 5, 215, 90, 8),
    button(Picture::Stick, 6, 214, 181, 10),    button(Picture::Stick, 7, 276, 56, 8),
    button(Picture::Throttle, 8, 40, 183, 4),   button(Picture::Throttle, 9, 49, 183, 4),
    button(Picture::Throttle, 10, 58, 183, 4),  button(Picture::Throttle, 11, 285, 179, 3),
    button(Picture::Throttle, 12, 285, 183, 3), button(Picture::Throttle, 13, 285, 187, 3),
    hat(Picture::Stick, 0, 62, 68, 15),         hat(Picture::Throttle, 1, 236, 50, 11),
    hat(Picture::Throttle, 2, 182, 54, 9),      hat(Picture::Stick, 3, 120, 92, 13),
};

constexpr double kDegrees = std::numbers::pi / 180.0;

} // namespace

std::span<const ControlSpot> controlSpots() {
    return kSpots;
}

std::optional<player::ControlInput> controlAt(Picture picture, int x, int y) {
    for (const ControlSpot& spot : kSpots) {
        if (spot.picture != picture)
            continue;
        const int dx = x - spot.x;
        const int dy = y - spot.y;
        if (dx * dx + dy * dy > spot.radius * spot.radius)
            continue;
        player::ControlInput control = spot.control;
        if (control.kind == Kind::Button) {
            control.value = 1;
            return control;
        }
        // Too near the centre says no direction.
        if ((dx * dx + dy * dy) * 9 < spot.radius * spot.radius)
            return std::nullopt;
        // Up is 1, then clockwise in steps of 45 degrees (screen y grows downwards).
        const double angle = std::atan2(double(dx), double(-dy)) / kDegrees;
        const int step = int(std::lround((angle < 0 ? angle + 360 : angle) / 45.0)) % 8;
        control.value = step + 1;
        return control;
    }
    return std::nullopt;
}

void hatDirectionPoint(const ControlSpot& spot, int direction, int& x, int& y) {
    x = spot.x;
    y = spot.y;
    if (direction <= 0)
        return;
    const double angle = (direction - 1) * 45.0 * kDegrees;
    const double reach = spot.radius * 0.65;
    x += int(std::lround(std::sin(angle) * reach));
    y -= int(std::lround(std::cos(angle) * reach));
}

} // namespace vantrel
