#pragma once

#include "device/player/PlayerTypes.h"

#include <optional>
#include <span>

namespace vantrel {

// Where each X36 button and hat is on the stick and throttle pictures the panels show, in
// the pictures' pixels. The mode and AUX switches are one part each with three positions.
struct ControlSpot {
    enum class Picture { Stick, Throttle };
    Picture picture;
    player::ControlInput control; // a button or a hat; value unused
    int x, y, radius;
};

std::span<const ControlSpot> controlSpots();

// The control a click at (x, y) on a picture meant: a button down, or a hat pushed the way
// the click lies from its centre. Nothing for a click beside every control.
std::optional<player::ControlInput> controlAt(ControlSpot::Picture picture, int x, int y);

// The point of a hat spot that shows one direction, or its centre.
void hatDirectionPoint(const ControlSpot& spot, int direction, int& x, int& y);

} // namespace vantrel
