#pragma once

#include "io/ControlMap.h"

#include <chrono>
#include <iosfwd>

namespace vantrel::driver {

struct LearnOptions {
    // How long each control waits to be worked before it is skipped.
    std::chrono::milliseconds timeout{10000};
    // The fd behind answers, polled while waiting (0 for std::cin); -1 when answers is a
    // buffered stream whose waiting text is seen without polling (a string stream).
    int answersFd = -1;
    // How far a raw axis must move to count, where the device reports no range (a recording);
    // with a range, a quarter of it.
    int rawAxisThreshold = 64;
};

// Builds a map by asking, on prompts, for each of the X36's controls in turn (buttons, hats,
// axes) and taking the first significant change that eventFd (an evdev device or a stream of
// raw input_event records; made non-blocking here) then shows: a button pressed, a hat pushed
// up (a hat made of buttons is asked for its four directions), an axis moved far. A line on
// answers (Enter), or the timeout, skips a control; so does the end of the event stream. Events
// waiting on eventFd are taken before answers. Returns false, leaving out alone, when no
// control was learnt.
bool learnControlMap(int eventFd, std::istream& answers, std::ostream& prompts, ControlMap& out,
                     const LearnOptions& options = {});

} // namespace vantrel::driver
