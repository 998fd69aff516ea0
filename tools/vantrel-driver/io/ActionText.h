#pragma once

#include "device/player/PlayerTypes.h"

#include <string>

namespace vantrel::driver {

// An action as the log names it: "key down, usage 4", "joystick button up 12", "hat 2 to 5".
std::string actionText(const player::OutputAction& action);

} // namespace vantrel::driver
