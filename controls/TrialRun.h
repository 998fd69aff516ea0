#pragma once

#include "device/player/PlayerTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

// A try of a profile without hardware: the control events the pilot made in the window,
// kept as the events text `vantrel-driver --play` reads, and played through the same
// recorded play on a virtual clock, so the timeline is the one --play prints.
class TrialRun {
public:
    // A click is a press and, this much later on the virtual clock, its release.
    static constexpr long long kClickMilliseconds = 100;

    // Starts over with no events.
    void clear() { events_.clear(), lastAt_ = 0; }
    // Adds a control event at `at` ms (never before the last one).
    void add(long long at, const player::ControlInput& control);
    // A button press and release, or a hat direction and back to Center.
    void click(long long at, const player::ControlInput& control);

    bool empty() const { return events_.empty(); }
    long long lastAt() const { return lastAt_; }
    // The events text, one "TIME CONTROL VALUE" line per event.
    const std::string& eventsText() const { return events_; }
    // The timeline of the events played on the device file, or its errors.
    std::string play(const std::vector<std::uint8_t>& deviceFile) const;

private:
    std::string events_;
    long long lastAt_ = 0;
};

} // namespace vantrel
