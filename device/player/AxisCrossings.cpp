#include "device/player/AxisCrossings.h"

namespace vantrel::player {

void AxisCrossings::bind(int chain, std::span<const ChainBreakpoint> breakpoints) {
    chain_ = chain;
    breakpoints_ = breakpoints;
    above_.assign(breakpoints.size(), false);
    place();
}

void AxisCrossings::place() {
    if (!position_)
        return;
    for (std::size_t i = 0; i < breakpoints_.size(); ++i)
        above_[i] = *position_ >= breakpoints_[i].position;
}

void AxisCrossings::move(int position, int hysteresis, std::vector<Crossing>& out) {
    const bool known = position_.has_value();
    position_ = position;
    if (!known) {
        place();
        return;
    }
    for (std::size_t i = 0; i < breakpoints_.size(); ++i) {
        if (!above_[i] && position >= breakpoints_[i].position) {
            above_[i] = true;
            out.push_back({breakpoints_[i].increase, true});
        }
    }
    for (std::size_t i = breakpoints_.size(); i-- > 0;) {
        if (above_[i] && position < breakpoints_[i].position - hysteresis) {
            above_[i] = false;
            out.push_back({breakpoints_[i].decrease, false});
        }
    }
}

} // namespace vantrel::player
