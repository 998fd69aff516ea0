#pragma once

#include "io/ControlMap.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::driver {

// The control map file: one line per control, "<control> = <binding>", where '#' starts a
// comment and blank lines are ignored. Controls are named as the X36 names them; evdev codes
// by their names (BTN_TRIGGER, ABS_X) or as decimal numbers.
//
//   Trigger = BTN_TRIGGER                            a button: one EV_KEY code
//   StickHat1 = ABS_HAT0X ABS_HAT0Y                  a hat: an EV_ABS pair (x, y) ...
//   MouseHat = BTN_DPAD_UP BTN_DPAD_RIGHT BTN_DPAD_DOWN BTN_DPAD_LEFT   ... or four buttons
//   XAxis = ABS_X                                    an axis with the device's own range
//   ZAxis = ABS_THROTTLE 0 255 inverted              ... or a range given here, and inversion
//   Aux3 = none                                      unbound, as is a control not listed
//
// Each control may appear once, and each evdev code drives at most one control.

// Reads a control map. Faults are listed as "line N: ..." and make the whole text invalid:
// map is changed only when the text has none.
bool parseControlMap(std::string_view text, ControlMap& map, std::vector<std::string>& errors);

// The text of a map, every control listed (unbound ones as none), under a comment that explains
// the format. It reads back to the same map.
std::string formatControlMap(const ControlMap& map);

// The same through a file. Saving keeps the file there before as <file>~ and replaces the file
// only once the new text is written in full.
bool loadControlMap(const std::filesystem::path& path, ControlMap& map,
                    std::vector<std::string>& errors);
bool saveControlMap(const std::filesystem::path& path, const ControlMap& map, std::string& error);

} // namespace vantrel::driver
