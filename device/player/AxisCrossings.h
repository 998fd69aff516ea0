#pragma once

#include "device/player/ProfileIndex.h"

#include <optional>
#include <span>
#include <vector>

namespace vantrel::player {

// One breakpoint passed: the script to start (kNoScript when its group has none).
struct Crossing {
    int script = kNoScript;
    bool rising = true;
};

// Follows one axis over the breakpoints of the chain bound to it and says which breakpoints
// it passes. Positions are device positions, P = axis value + 32767 (0 to 65534).
//
// Each breakpoint at P is either below or above the axis. A breakpoint below the axis is
// passed rising when the axis reaches P (position >= P) and then counts as above; one above
// is passed falling when the axis drops more than the hysteresis h under it
// (position < P - h) and then counts as below. So after a crossing the axis has to move back
// past the breakpoint by more than h before it fires again, and an axis resting on a
// breakpoint with noise of h or less fires it once. A breakpoint at P 0 is never below the
// axis and never fires; one at 65535 is never reached.
//
// The first position after a chain is bound, or when the axis position is not yet known,
// only places the breakpoints (above when position >= P) without firing any. One move
// passes breakpoints in the order the axis meets them: rising by ascending P (equal P in
// chain order), falling by descending P (equal P in reverse chain order).
class AxisCrossings {
public:
    // Binds a chain (empty for none); the sides come from the last known position.
    void bind(int chain, std::span<const ChainBreakpoint> breakpoints);
    int boundChain() const { return chain_; }
    // Forgets the chain; the next bind() places the breakpoints afresh.
    void unbind() { bind(kNoChain, {}); }
    // Moves the axis and appends the crossings, in order, to out.
    void move(int position, int hysteresis, std::vector<Crossing>& out);

private:
    void place();

    int chain_ = kNoChain;
    std::span<const ChainBreakpoint> breakpoints_;
    std::vector<bool> above_;
    std::optional<int> position_;
};

} // namespace vantrel::player
