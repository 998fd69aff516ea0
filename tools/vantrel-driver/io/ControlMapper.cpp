#include "io/ControlMapper.h"

#include "io/EvdevNames.h"
#include "io/X36Controls.h"

#include <string>

namespace vantrel::driver {
namespace {

using Input = player::ControlInput;

// A hostile stream could name every code there is; the log gets this many lines at most.
constexpr std::size_t kMaximumUnmappedNotices = 64;

int offsetOf(int value) {
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

} // namespace

ControlMapper::ControlMapper(const ControlMap& map, NoticeHandler notices, std::string device)
    : map_(map), notices_(std::move(notices)), device_(std::move(device)) {
    for (int b = 0; b < player::kButtonCount; ++b) {
        if (const int key = map.buttons[static_cast<std::size_t>(b)]; key != kUnbound)
            keyTargets_[key] = {Role::Button, b};
    }
    for (int h = 0; h < player::kHatCount; ++h) {
        const HatBinding& hat = map.hats[static_cast<std::size_t>(h)];
        if (hat.kind == HatBinding::Kind::AxisPair) {
            absTargets_[hat.xCode] = {Role::HatX, h};
            absTargets_[hat.yCode] = {Role::HatY, h};
        } else if (hat.kind == HatBinding::Kind::Buttons) {
            for (int part = 0; part < 4; ++part)
                keyTargets_[hat.buttons[static_cast<std::size_t>(part)]] = {Role::HatButton, h,
                                                                            part};
        }
    }
    for (int a = 0; a < player::kAxisCount; ++a) {
        const AxisBinding& axis = map.axes[static_cast<std::size_t>(a)];
        ranges_[static_cast<std::size_t>(a)] =
            axis.range.value_or(AxisRange{player::kAxisMinimum, player::kAxisMaximum});
        if (axis.code != kUnbound)
            absTargets_[axis.code] = {Role::Axis, a};
    }
}

void ControlMapper::setDeviceRange(int axis, AxisRange range) {
    const auto a = static_cast<std::size_t>(axis);
    if (a < ranges_.size() && !map_.axes[a].range && range.maximum > range.minimum)
        ranges_[a] = range;
}

void ControlMapper::process(const input_event& event, std::vector<Input>& changes,
                            std::vector<ControlOrigin>& origins) {
    if (event.type == EV_SYN) {
        if (event.code == SYN_DROPPED) {
            // The frame is incomplete and events up to the next report are to be ignored.
            dropping_ = true;
            frame_ = reported_;
        } else if (event.code == SYN_REPORT) {
            if (!dropping_)
                endFrame(changes, origins);
            dropping_ = false;
        }
        return;
    }
    if (dropping_)
        return;
    const std::unordered_map<int, Target>* targets = nullptr;
    if (event.type == EV_KEY)
        targets = &keyTargets_;
    else if (event.type == EV_ABS)
        targets = &absTargets_;
    else if (event.type != EV_REL && event.type <= EV_MAX)
        return; // scan codes, LEDs, switches, repeat settings: never controls
    if (targets) {
        if (auto found = targets->find(event.code); found != targets->end()) {
            apply(found->second, event);
            return;
        }
    }
    reportUnmapped(event);
}

void ControlMapper::apply(const Target& target, const input_event& event) {
    const auto i = static_cast<std::size_t>(target.index);
    const int value = event.value;
    switch (target.role) {
    case Role::Button:
        frame_.buttons[i] = value != 0 ? 1 : 0; // 2 is the kernel's auto-repeat: still down
        buttonEvents_[i] = event;
        break;
    case Role::HatButton:
        frame_.hatButtons[i][static_cast<std::size_t>(target.part)] = value != 0 ? 1 : 0;
        hatEvents_[i] = event;
        break;
    case Role::HatX:
        frame_.hatX[i] = offsetOf(value);
        hatEvents_[i] = event;
        break;
    case Role::HatY:
        frame_.hatY[i] = offsetOf(value);
        hatEvents_[i] = event;
        break;
    case Role::Axis:
        frame_.axes[i] = scaleAxis(value, ranges_[i], map_.axes[i].inverted);
        axisEvents_[i] = event;
        break;
    }
}

int ControlMapper::hatDirectionOf(const State& state, int hat) const {
    const auto h = static_cast<std::size_t>(hat);
    if (map_.hats[h].kind == HatBinding::Kind::Buttons) {
        const std::array<int, 4>& pressed = state.hatButtons[h];
        return hatDirection(pressed[HatBinding::Right] - pressed[HatBinding::Left],
                            pressed[HatBinding::Down] - pressed[HatBinding::Up]);
    }
    return hatDirection(state.hatX[h], state.hatY[h]);
}

void ControlMapper::noteOrigin(std::vector<ControlOrigin>& origins,
                               const input_event& event) const {
    origins.push_back({device_, event.type, event.code, event.value});
}

void ControlMapper::endFrame(std::vector<Input>& changes, std::vector<ControlOrigin>& origins) {
    for (int b = 0; b < player::kButtonCount; ++b) {
        const auto i = static_cast<std::size_t>(b);
        if (frame_.buttons[i] != reported_.buttons[i]) {
            changes.push_back({Input::Kind::Button, b, frame_.buttons[i]});
            noteOrigin(origins, buttonEvents_[i]);
        }
    }
    for (int h = 0; h < player::kHatCount; ++h) {
        const int direction = hatDirectionOf(frame_, h);
        if (direction != hatDirectionOf(reported_, h)) {
            changes.push_back({Input::Kind::Hat, h, direction});
            noteOrigin(origins, hatEvents_[static_cast<std::size_t>(h)]);
        }
    }
    for (int a = 0; a < player::kAxisCount; ++a) {
        const std::optional<int>& value = frame_.axes[static_cast<std::size_t>(a)];
        if (value && value != reported_.axes[static_cast<std::size_t>(a)]) {
            changes.push_back({Input::Kind::Axis, a, *value});
            noteOrigin(origins, axisEvents_[static_cast<std::size_t>(a)]);
        }
    }
    reported_ = frame_;
}

void ControlMapper::reportUnmapped(const input_event& event) {
    if (unmappedSeen_.size() > kMaximumUnmappedNotices)
        return;
    if (!unmappedSeen_.emplace(event.type, event.code).second)
        return;
    if (!notices_)
        return;
    if (unmappedSeen_.size() > kMaximumUnmappedNotices) {
        notices_("further unmapped inputs are not reported");
        return;
    }
    std::string line = "unmapped input ignored: ";
    if (event.type == EV_KEY || event.type == EV_ABS || event.type == EV_REL)
        line += evdevCodeName(event.type, event.code) + " (type " + std::to_string(event.type) +
                ", code " + std::to_string(event.code) + ")";
    else
        line += "event type " + std::to_string(event.type) + ", code " + std::to_string(event.code);
    notices_(line);
}

} // namespace vantrel::driver
