#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantrel::driver {

// The name libevdev gives a code ("BTN_TRIGGER", "ABS_X"), or its decimal number for a code
// that has no name of its own.
std::string evdevCodeName(int type, int code);
// A code from its name or from a decimal number within the type's range.
std::optional<int> evdevCodeFromText(int type, std::string_view text);
// The highest code of EV_KEY or EV_ABS.
int evdevMaximumCode(int type);

// ABS_HAT0X .. ABS_HAT3Y.
bool isHatAxisCode(int code);

} // namespace vantrel::driver
