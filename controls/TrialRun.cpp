#include "controls/TrialRun.h"

#include "device/player/ControlNames.h"
#include "device/player/RecordedPlay.h"

#include <algorithm>
#include <sstream>

namespace vantrel {

void TrialRun::add(long long at, const player::ControlInput& control) {
    using Kind = player::ControlInput::Kind;
    lastAt_ = std::max(lastAt_, at);
    std::string name;
    std::string value;
    switch (control.kind) {
    case Kind::Button:
        name = player::buttonName(control.index);
        value = control.value ? "press" : "release";
        break;
    case Kind::Hat:
        name = player::hatName(control.index);
        value = player::hatDirectionName(control.value);
        break;
    case Kind::Axis:
        name = player::axisName(control.index);
        value = std::to_string(control.value);
        break;
    }
    events_ += std::to_string(lastAt_) + " " + name + " " + value + "\n";
}

void TrialRun::click(long long at, const player::ControlInput& control) {
    player::ControlInput press = control;
    if (press.kind == player::ControlInput::Kind::Button)
        press.value = 1;
    add(at, press);
    player::ControlInput back = control;
    back.value = 0; // up, or Center
    add(lastAt_ + kClickMilliseconds, back);
}

std::string TrialRun::play(const std::vector<std::uint8_t>& deviceFile) const {
    std::ostringstream timeline;
    std::ostringstream errors;
    player::playRecording(deviceFile, events_, "try", timeline, errors);
    return errors.str() + timeline.str();
}

} // namespace vantrel
