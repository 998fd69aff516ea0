#pragma once

#include "io/ControlMap.h"
#include "io/X36Controls.h"

#include <chrono>
#include <iosfwd>
#include <optional>
#include <span>

namespace vantrel::driver {

class InputEventStream;

struct LearnOptions {
    // How long each control waits to be worked before it is skipped.
    std::chrono::milliseconds timeout{10000};
    // The fd behind answers, polled while waiting (0 for std::cin); -1 when answers is a
    // buffered stream whose waiting text is seen without polling (a string stream).
    int answersFd = -1;
    // How far a raw axis must move to count, where the device reports no range (a recording);
    // with a range, a quarter of it.
    int rawAxisThreshold = 64;
    // Learn this control alone; every control in turn when not given.
    std::optional<ControlRef> only;
};

// A device to learn from: its events, and the map's device for it, which the controls learnt
// from it name (none for a stream that tells nothing of itself, such as a recording).
struct LearnSource {
    InputEventStream* stream = nullptr;
    std::optional<DeviceMatch> device;
};

// Learns controls by asking, on prompts, for each of the X36's controls in turn (buttons, hats,
// axes) and taking the first significant change that any of the sources then shows: a button
// pressed, a hat pushed up (a hat made of buttons is asked for its four directions), an axis
// moved far. A line on answers (Enter), or the timeout, skips a control; so does the end of
// every event stream. Events waiting are taken before answers. The map is the one to start
// from: a control skipped keeps its binding, a control learnt takes its code from whichever
// control had it before. Returns false, leaving map alone, when no control was learnt.
bool learnControls(std::span<const LearnSource> sources, std::istream& answers,
                   std::ostream& prompts, ControlMap& map, const LearnOptions& options = {});

// The same from one event stream on eventFd (an evdev device or raw input_event records; made
// non-blocking here), whose controls name no device.
bool learnControlMap(int eventFd, std::istream& answers, std::ostream& prompts, ControlMap& map,
                     const LearnOptions& options = {});

} // namespace vantrel::driver
