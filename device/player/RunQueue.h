#pragma once

#include "device/player/PlayerTypes.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vantrel::player {

// One script playing: the next event to play and when it is due.
struct ScriptRun {
    int script = 0;
    std::size_t next = 0;
    Time due{0};
    std::uint64_t order = 0; // set by the queue: runs due at the same time play in push order
};

// The one timer queue that every running script shares. Runs come out by due time; runs due
// at the same time come out in the order they were pushed, so playback is deterministic.
class RunQueue {
public:
    void push(ScriptRun run);
    // Takes out the earliest run if it is due at or before now.
    std::optional<ScriptRun> popDue(Time now);
    std::optional<Time> nextDue() const;
    void clear() { heap_.clear(); }
    bool empty() const { return heap_.empty(); }

private:
    std::vector<ScriptRun> heap_;
    std::uint64_t nextOrder_ = 0;
};

} // namespace vantrel::player
