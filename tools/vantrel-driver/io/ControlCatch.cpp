#include "io/ControlCatch.h"

#include "io/DeviceMatchText.h"
#include "io/EvdevNames.h"
#include "io/InputEventStreams.h"
#include "profile/ControlPlaces.h"

#include <algorithm>
#include <cstdlib>

namespace vantrel::driver {
namespace {

using Kind = player::ControlInput::Kind;

constexpr const char* kHatDirectionNames[] = {"up", "right", "down", "left"};

std::string& deviceOf(ControlMap& map, ControlRef control) {
    const auto i = static_cast<std::size_t>(control.index);
    switch (control.kind) {
    case Kind::Button:
        return map.buttonDevices[i];
    case Kind::Hat:
        return map.hatDevices[i];
    case Kind::Axis:
        break;
    }
    return map.axisDevices[i];
}

// The (type, code) pairs a control's binding uses.
std::vector<std::pair<int, int>> codesOf(const ControlMap& map, ControlRef control) {
    const auto i = static_cast<std::size_t>(control.index);
    std::vector<std::pair<int, int>> codes;
    if (control.kind == Kind::Button && map.buttons[i] != kUnbound)
        codes.emplace_back(EV_KEY, map.buttons[i]);
    if (control.kind == Kind::Axis && map.axes[i].code != kUnbound)
        codes.emplace_back(EV_ABS, map.axes[i].code);
    if (control.kind == Kind::Hat && map.hats[i].kind == HatBinding::Kind::AxisPair) {
        codes.emplace_back(EV_ABS, map.hats[i].xCode);
        codes.emplace_back(EV_ABS, map.hats[i].yCode);
    }
    if (control.kind == Kind::Hat && map.hats[i].kind == HatBinding::Kind::Buttons) {
        for (int key : map.hats[i].buttons)
            codes.emplace_back(EV_KEY, key);
    }
    return codes;
}

void unbind(ControlMap& map, ControlRef control) {
    const auto i = static_cast<std::size_t>(control.index);
    if (control.kind == Kind::Button)
        map.buttons[i] = kUnbound;
    else if (control.kind == Kind::Hat)
        map.hats[i] = HatBinding{};
    else
        map.axes[i] = AxisBinding{};
    deviceOf(map, control).clear();
}

// What to do with the control: the place's instruction, where the table has the control.
std::string instruction(ControlRef control) {
    if (const ControlPlace* place = findControlPlace(controlName(control)))
        return std::string(place->instruction);
    return control.kind == Kind::Button ? "press the button"
           : control.kind == Kind::Hat  ? "push the hat"
                                        : "move the axis";
}

} // namespace

void CatchMemory::noteSource(std::size_t source, const InputEventStream& stream) {
    for (int code = 0; code <= ABS_MAX; ++code) {
        if (const std::optional<AxisRange> range = stream.absRange(code))
            ranges_[{source, code}] = *range;
        if (const std::optional<int> value = stream.absValue(code))
            atStart_[{source, code}] = *value;
    }
}

void CatchMemory::saw(const SourcedEvent& sourced) {
    if (sourced.event.type == EV_ABS)
        last_[{sourced.source, sourced.event.code}] = sourced.event.value;
}

int CatchMemory::valueBefore(const SourcedEvent& sourced) const {
    const Key key{sourced.source, sourced.event.code};
    if (const auto found = last_.find(key); found != last_.end())
        return found->second;
    if (const auto found = atStart_.find(key); found != atStart_.end())
        return found->second;
    return sourced.event.value;
}

long long CatchMemory::threshold(const SourcedEvent& sourced) const {
    const auto found = ranges_.find({sourced.source, sourced.event.code});
    if (found != ranges_.end())
        return std::max(
            1LL, (static_cast<long long>(found->second.maximum) - found->second.minimum) / 4);
    return std::max(1, rawAxisThreshold_);
}

ControlCatch::ControlCatch(ControlRef control, CatchMemory& memory)
    : control_(control), memory_(memory) {}

std::string ControlCatch::prompt() const {
    const std::string start = controlName(control_) + ": " + instruction(control_);
    if (control_.kind == Kind::Hat)
        return start + " " + direction();
    if (control_.kind == Kind::Axis)
        return start + " from end to end";
    return start;
}

std::string ControlCatch::direction() const {
    return kHatDirectionNames[part_];
}

bool ControlCatch::freshPress(const SourcedEvent& sourced) const {
    return sourced.event.type == EV_KEY && sourced.event.value == 1 &&
           !memory_.used(sourced.source, EV_KEY, sourced.event.code);
}

ControlCatch::Step ControlCatch::offer(const SourcedEvent& sourced) {
    Step step = Step::Waiting;
    if (control_.kind == Kind::Button)
        step = catchButton(sourced);
    else if (control_.kind == Kind::Hat)
        step = catchHat(sourced);
    else
        step = catchAxis(sourced);
    memory_.saw(sourced);
    return step;
}

ControlCatch::Step ControlCatch::catchButton(const SourcedEvent& sourced) {
    if (!freshPress(sourced))
        return Step::Waiting;
    source_ = sourced.source;
    code_ = sourced.event.code;
    memory_.use(source_, EV_KEY, code_);
    caughtCodes_ = evdevCodeName(EV_KEY, code_);
    return Step::Caught;
}

ControlCatch::Step ControlCatch::catchHat(const SourcedEvent& sourced) {
    const input_event& event = sourced.event;
    if (part_ > HatBinding::Up) {
        // The other directions are buttons of the same device.
        if (sourced.source != source_ || !freshPress(sourced))
            return Step::Waiting;
        hat_.buttons[static_cast<std::size_t>(part_)] = event.code;
        memory_.use(source_, EV_KEY, event.code);
        caughtCodes_ = evdevCodeName(EV_KEY, event.code);
        return ++part_ > HatBinding::Left ? Step::Caught : Step::NextDirection;
    }
    const bool hatAxis = event.type == EV_ABS && isHatAxisCode(event.code) && event.value != 0 &&
                         !memory_.used(sourced.source, EV_ABS, event.code);
    if (!hatAxis && !freshPress(sourced))
        return Step::Waiting;
    source_ = sourced.source;
    if (hatAxis) {
        hat_.kind = HatBinding::Kind::AxisPair;
        hat_.xCode = ABS_HAT0X + (event.code - ABS_HAT0X) / 2 * 2;
        hat_.yCode = hat_.xCode + 1;
        memory_.use(source_, EV_ABS, hat_.xCode);
        memory_.use(source_, EV_ABS, hat_.yCode);
        caughtCodes_ = evdevCodeName(EV_ABS, hat_.xCode) + " " + evdevCodeName(EV_ABS, hat_.yCode);
        return Step::Caught;
    }
    hat_.kind = HatBinding::Kind::Buttons;
    hat_.buttons[HatBinding::Up] = event.code;
    memory_.use(source_, EV_KEY, event.code);
    caughtCodes_ = evdevCodeName(EV_KEY, event.code);
    ++part_;
    return Step::NextDirection;
}

ControlCatch::Step ControlCatch::catchAxis(const SourcedEvent& sourced) {
    const input_event& event = sourced.event;
    if (event.type != EV_ABS || isHatAxisCode(event.code) ||
        memory_.used(sourced.source, EV_ABS, event.code))
        return Step::Waiting;
    // Measured from where the axis stood when this catch first saw it move.
    const int baseline =
        baselines_.try_emplace({sourced.source, event.code}, memory_.valueBefore(sourced))
            .first->second;
    if (std::abs(static_cast<long long>(event.value) - baseline) < memory_.threshold(sourced))
        return Step::Waiting;
    source_ = sourced.source;
    code_ = event.code;
    memory_.use(source_, EV_ABS, code_);
    caughtCodes_ = evdevCodeName(EV_ABS, code_);
    return Step::Caught;
}

void ControlCatch::abandon() {
    if (hat_.kind == HatBinding::Kind::Buttons)
        for (int key : hat_.buttons)
            if (key != kUnbound)
                memory_.release(source_, EV_KEY, key);
    hat_ = HatBinding{};
    part_ = HatBinding::Up;
}

std::string ControlCatch::boundCodes() const {
    ControlMap map;
    bindInto(map, std::nullopt);
    std::string names;
    for (const auto& [type, code] : codesOf(map, control_))
        names += (names.empty() ? "" : " ") + evdevCodeName(type, code);
    return names;
}

std::vector<ControlRef> ControlCatch::bindInto(ControlMap& map,
                                               const std::optional<DeviceMatch>& device) const {
    const auto i = static_cast<std::size_t>(control_.index);
    if (control_.kind == Kind::Button)
        map.buttons[i] = code_;
    else if (control_.kind == Kind::Hat)
        map.hats[i] = hat_;
    else
        map.axes[i] = AxisBinding{code_, std::nullopt, false};
    // The control now comes from the device: the map names that device, and any other control
    // of the device that had one of its codes loses them.
    const std::string label = device ? device->label : std::string();
    if (device && std::none_of(map.devices.begin(), map.devices.end(),
                               [&label](const DeviceMatch& d) { return d.label == label; }))
        map.devices.push_back(*device);
    deviceOf(map, control_) = label;
    const std::vector<std::pair<int, int>> codes = codesOf(map, control_);
    std::vector<ControlRef> unbound;
    for (const ControlRef& other : allControls()) {
        if (other == control_ || deviceOf(map, other) != label)
            continue;
        const std::vector<std::pair<int, int>> theirs = codesOf(map, other);
        if (std::any_of(theirs.begin(), theirs.end(), [&codes](auto code) {
                return std::find(codes.begin(), codes.end(), code) != codes.end();
            })) {
            unbind(map, other);
            unbound.push_back(other);
        }
    }
    return unbound;
}

std::optional<DeviceMatch> learningDeviceFor(const ControlMap& map, const DeviceIdentity& identity,
                                             std::vector<std::string>& labels) {
    const std::string label = deviceLabelFor(map, identity);
    for (const DeviceMatch& device : map.devices)
        if (device.label == label)
            return device;
    if (identity.vendor < 0)
        return std::nullopt;
    DeviceMatch proposed = proposeDevice(identity, labels);
    labels.push_back(proposed.label);
    return proposed;
}

std::vector<ControlRef> allControls() {
    std::vector<ControlRef> controls;
    for (int b = 0; b < player::kButtonCount; ++b)
        controls.push_back({Kind::Button, b});
    for (int h = 0; h < player::kHatCount; ++h)
        controls.push_back({Kind::Hat, h});
    for (int a = 0; a < player::kAxisCount; ++a)
        controls.push_back({Kind::Axis, a});
    return controls;
}

} // namespace vantrel::driver
