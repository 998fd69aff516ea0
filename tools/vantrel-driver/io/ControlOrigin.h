#pragma once

#include <string>

namespace vantrel::driver {

// Where one change of an X36 control came from: the device and the evdev event that completed
// it. The log and the monitor stream show it beside the control, so a pilot can tell which
// physical button drives which X36 control.
struct ControlOrigin {
    std::string device; // the control map's name for the device, else its event path
    int type = 0;       // EV_KEY or EV_ABS
    int code = 0;
    int value = 0; // the raw value, before any scaling
};

} // namespace vantrel::driver
