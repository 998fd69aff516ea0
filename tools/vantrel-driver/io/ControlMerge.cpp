#include "io/ControlMerge.h"

namespace vantrel::driver {
namespace {

using Kind = player::ControlInput::Kind;

} // namespace

bool ControlMerge::buttonDown(int button) const {
    for (const auto& [device, held] : held_) {
        if (held.buttons[static_cast<std::size_t>(button)])
            return true;
    }
    return false;
}

int ControlMerge::hatDirection(int hat) const {
    const auto h = static_cast<std::size_t>(hat);
    if (const auto last = held_.find(lastHatMover_[h]); last != held_.end() && last->second.hats[h])
        return last->second.hats[h];
    for (const auto& [device, held] : held_) {
        if (held.hats[h] != 0)
            return held.hats[h];
    }
    return 0;
}

void ControlMerge::report(const player::ControlInput& change, const ControlOrigin& origin,
                          Changes& merged, Origins& mergedOrigins) {
    const auto i = static_cast<std::size_t>(change.index);
    player::ControlInput out = change;
    if (change.kind == Kind::Button) {
        const bool down = buttonDown(change.index);
        if (down == reportedButtons_[i])
            return;
        reportedButtons_[i] = down;
        out.value = down ? 1 : 0;
    } else if (change.kind == Kind::Hat) {
        const int direction = hatDirection(change.index);
        if (direction == reportedHats_[i])
            return;
        reportedHats_[i] = direction;
        out.value = direction;
    }
    merged.push_back(out);
    mergedOrigins.push_back(origin);
}

void ControlMerge::take(int device, const Changes& changes, const Origins& origins, Changes& merged,
                        Origins& mergedOrigins) {
    Held& held = held_[device];
    for (std::size_t c = 0; c < changes.size(); ++c) {
        const player::ControlInput& change = changes[c];
        const auto i = static_cast<std::size_t>(change.index);
        if (change.kind == Kind::Button && i < held.buttons.size()) {
            held.buttons[i] = change.value != 0;
        } else if (change.kind == Kind::Hat && i < held.hats.size()) {
            held.hats[i] = change.value;
            lastHatMover_[i] = device;
        } else if (change.kind != Kind::Axis) {
            continue; // out of range: no control of the X36
        }
        report(change, c < origins.size() ? origins[c] : ControlOrigin{}, merged, mergedOrigins);
    }
}

void ControlMerge::drop(int device, const std::string& name, Changes& merged,
                        Origins& mergedOrigins) {
    const auto found = held_.find(device);
    if (found == held_.end())
        return;
    const Held held = found->second;
    held_.erase(found);
    const ControlOrigin origin{name, 0, 0, 0};
    for (std::size_t b = 0; b < held.buttons.size(); ++b) {
        if (held.buttons[b])
            report({Kind::Button, static_cast<int>(b), 0}, origin, merged, mergedOrigins);
    }
    for (std::size_t h = 0; h < held.hats.size(); ++h) {
        if (held.hats[h] != 0)
            report({Kind::Hat, static_cast<int>(h), 0}, origin, merged, mergedOrigins);
    }
}

} // namespace vantrel::driver
