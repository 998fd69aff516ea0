#pragma once

#include "device/player/PlayerTypes.h"

#include <optional>
#include <string_view>

namespace vantrel::player {

// The names of the X36's controls in the player's numbering, taken from the slot table:
// buttons and hats by their slot names without "Press" ("Trigger", "StickHat1"), hat
// directions by their slot names ("Center", "UpRight"), axes by their slot names ("XAxis").
std::string_view buttonName(int button);
std::string_view hatName(int hat);
std::string_view hatDirectionName(int direction);
std::string_view axisName(int axis);

// A control by its exact name: the kind and index of ControlInput, value left 0.
std::optional<ControlInput> controlNamed(std::string_view name);
std::optional<int> hatDirectionNamed(std::string_view name);

// The lower-case name of a keyboard usage ("a" for 4), or empty when no key has it.
std::string_view keyName(int usage);

} // namespace vantrel::player
