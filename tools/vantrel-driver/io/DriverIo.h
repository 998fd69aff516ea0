#pragma once

#include "device/player/PlayerTypes.h"
#include "io/ControlOrigin.h"

#include <linux/input.h>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::driver {

struct ControlMap;
class InputEventStream;

// Where adapters send lines for the daemon's log (unmapped inputs, a device that could not be
// grabbed, actions an output cannot perform).
using NoticeHandler = std::function<void(std::string_view line)>;

// Where the driver reads the pilot's controls from: a grabbed evdev joystick, or a stream of
// raw input_event records (a pipe, in tests). The driver polls fd() for reading.
class ControlSource {
public:
    virtual ~ControlSource() = default;
    virtual int fd() const = 0;
    // Reads what is waiting and appends the changes, mapped to the X36's controls, with one
    // origin for each. Returns false once the source is gone (unplugged, or the end of the
    // stream).
    virtual bool readControls(std::vector<player::ControlInput>& changes,
                              std::vector<ControlOrigin>& origins) = 0;
    // For the log: the device's path and name.
    virtual std::string describe() const = 0;
    // The device's events as the last read found them, before any mapping (for learning).
    virtual std::span<const input_event> lastEvents() const = 0;
    virtual const InputEventStream& stream() const = 0;
    // Maps the events by another map from now on; what was held counts as released.
    virtual void remap(const ControlMap& map, std::string device) = 0;
};

// Where played actions go: uinput, an X server through XTest, or a printed timeline.
class OutputBackend : public player::OutputSink {
public:
    // For the log: which backend and, where it matters, why it was chosen.
    virtual std::string describe() const = 0;
    // Whether DirectX buttons, hats and axes reach a virtual joystick.
    virtual bool offersJoystick() const = 0;
};

// A virtual keyboard, mouse and joystick through /dev/uinput. Returns nothing, with the reason
// in error, where uinput is missing or refuses.
std::unique_ptr<OutputBackend> openUinputBackend(std::string& error, NoticeHandler notices = {});

// Keys and mouse through an X server's XTest extension (display: empty for $DISPLAY). It offers
// no virtual joystick. Returns nothing, with the reason in error, without a usable display.
std::unique_ptr<OutputBackend> openXTestBackend(const std::string& display, std::string& error,
                                                NoticeHandler notices = {});

} // namespace vantrel::driver
