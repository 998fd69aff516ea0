#include "device/player/HeldOutputs.h"

namespace vantrel::player {
namespace {

template <std::size_t N> void set(std::bitset<N>& bits, int code, bool down) {
    if (code >= 0 && static_cast<std::size_t>(code) < N)
        bits.set(static_cast<std::size_t>(code), down);
}

template <std::size_t N>
void addUps(const std::bitset<N>& bits, OutputAction::Kind kind, std::vector<OutputAction>& out) {
    for (std::size_t code = 0; code < N; ++code)
        if (bits.test(code))
            out.push_back({kind, static_cast<int>(code), 0});
}

} // namespace

void HeldOutputs::record(const OutputAction& action) {
    using Kind = OutputAction::Kind;
    switch (action.kind) {
    case Kind::KeyDown:
    case Kind::KeyUp:
        set(keys_, action.code, action.kind == Kind::KeyDown);
        break;
    case Kind::JoyButtonDown:
    case Kind::JoyButtonUp:
        set(joyButtons_, action.code, action.kind == Kind::JoyButtonDown);
        break;
    case Kind::MouseButtonDown:
    case Kind::MouseButtonUp:
        set(mouseButtons_, action.code, action.kind == Kind::MouseButtonDown);
        break;
    case Kind::JoyHat:
        if (action.code >= 0 && action.code < kVirtualHatCount)
            hats_[static_cast<std::size_t>(action.code)] = action.value;
        break;
    case Kind::MouseMoveX:
    case Kind::MouseMoveY:
    case Kind::JoyAxis:
        break;
    }
}

bool HeldOutputs::empty() const {
    for (int direction : hats_)
        if (direction != 0)
            return false;
    return keys_.none() && joyButtons_.none() && mouseButtons_.none();
}

std::vector<OutputAction> HeldOutputs::releases() const {
    std::vector<OutputAction> out;
    addUps(keys_, OutputAction::Kind::KeyUp, out);
    addUps(joyButtons_, OutputAction::Kind::JoyButtonUp, out);
    addUps(mouseButtons_, OutputAction::Kind::MouseButtonUp, out);
    for (std::size_t hat = 0; hat < hats_.size(); ++hat)
        if (hats_[hat] != 0)
            out.push_back({OutputAction::Kind::JoyHat, static_cast<int>(hat), 0});
    return out;
}

} // namespace vantrel::player
