#pragma once

#include "device/player/PlayerTypes.h"

#include <memory>
#include <string>
#include <vector>

namespace vantrel::driver {

// Where the driver reads the pilot's controls from: a grabbed evdev joystick, or a stream of
// raw input_event records (a pipe, in tests). The driver polls fd() for reading.
class ControlSource {
public:
    virtual ~ControlSource() = default;
    virtual int fd() const = 0;
    // Reads what is waiting and appends the changes, mapped to the X36's controls. Returns
    // false once the source is gone (unplugged, or the end of the stream).
    virtual bool readControls(std::vector<player::ControlInput>& changes) = 0;
    // For the log: the device's path and name.
    virtual std::string describe() const = 0;
};

// Where played actions go: uinput, an X server through XTest, or a printed timeline.
class OutputBackend : public player::OutputSink {
public:
    // For the log: which backend and, where it matters, why it was chosen.
    virtual std::string describe() const = 0;
    // Whether DirectX buttons, hats and axes reach a virtual joystick.
    virtual bool offersJoystick() const = 0;
};

} // namespace vantrel::driver
