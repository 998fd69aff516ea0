#include "device/player/TimelineSink.h"

#include "device/player/ControlNames.h"

#include <cstdio>

namespace vantrel::player {
namespace {

std::string signedNumber(int value) {
    std::string text = value > 0 ? "+" : "";
    text += std::to_string(value);
    return text;
}

std::string keyDetail(int usage) {
    const std::string_view name = keyName(usage);
    if (name.empty())
        return "usage " + std::to_string(usage);
    return std::string(name) + " (usage " + std::to_string(usage) + ")";
}

std::string mouseButtonDetail(int button) {
    static constexpr const char* kNames[] = {"left", "right", "middle"};
    std::string detail = std::to_string(button);
    if (button >= 1 && button <= 3)
        detail += std::string(" (") + kNames[button - 1] + ")";
    return detail;
}

std::string directionDetail(int direction) {
    const std::string_view name = hatDirectionName(direction);
    return name.empty() ? std::to_string(direction) : std::string(name);
}

} // namespace

std::string TimelineSink::describeInput(const ControlInput& control) {
    switch (control.kind) {
    case ControlInput::Kind::Button:
        return std::string(buttonName(control.index)) + (control.value ? " press" : " release");
    case ControlInput::Kind::Hat:
        return std::string(hatName(control.index)) + " " + directionDetail(control.value);
    case ControlInput::Kind::Axis:
        return std::string(axisName(control.index)) + " " + std::to_string(control.value);
    }
    return {};
}

std::string TimelineSink::describe(const OutputAction& action) {
    using Kind = OutputAction::Kind;
    switch (action.kind) {
    case Kind::KeyDown:
        return "key down  " + keyDetail(action.code);
    case Kind::KeyUp:
        return "key up  " + keyDetail(action.code);
    case Kind::JoyButtonDown:
        return "joystick button down  " + std::to_string(action.code);
    case Kind::JoyButtonUp:
        return "joystick button up  " + std::to_string(action.code);
    case Kind::MouseButtonDown:
        return "mouse button down  " + mouseButtonDetail(action.code);
    case Kind::MouseButtonUp:
        return "mouse button up  " + mouseButtonDetail(action.code);
    case Kind::MouseMoveX:
        return "mouse move  x " + signedNumber(action.value);
    case Kind::MouseMoveY:
        return "mouse move  y " + signedNumber(action.value);
    case Kind::JoyHat:
        return "joystick hat " + std::to_string(action.code) + "  " + directionDetail(action.value);
    case Kind::JoyAxis:
        return "joystick axis  " + std::string(axisName(action.code)) + " " +
               std::to_string(action.value);
    }
    return {};
}

void TimelineSink::emit(const OutputAction& action, Time at) {
    line(at, describe(action));
}

void TimelineSink::note(std::string_view text) {
    line(now_, "note", text);
}

void TimelineSink::line(Time at, std::string_view what, std::string_view detail) {
    const long long micros = at.count();
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "%5lld.%03lld ms  ", micros / 1000, micros % 1000);
    out_ << stamp << what;
    if (!detail.empty())
        out_ << "  " << detail;
    out_ << '\n';
}

} // namespace vantrel::player
