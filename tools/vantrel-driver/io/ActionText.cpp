#include "io/ActionText.h"

namespace vantrel::driver {

std::string actionText(const player::OutputAction& action) {
    using Kind = player::OutputAction::Kind;
    const std::string code = std::to_string(action.code);
    const std::string value = std::to_string(action.value);
    switch (action.kind) {
    case Kind::KeyDown:
        return "key down, usage " + code;
    case Kind::KeyUp:
        return "key up, usage " + code;
    case Kind::JoyButtonDown:
        return "joystick button down " + code;
    case Kind::JoyButtonUp:
        return "joystick button up " + code;
    case Kind::MouseButtonDown:
        return "mouse button down " + code;
    case Kind::MouseButtonUp:
        return "mouse button up " + code;
    case Kind::MouseMoveX:
        return "mouse move x " + value;
    case Kind::MouseMoveY:
        return "mouse move y " + value;
    case Kind::JoyHat:
        return "hat " + code + " to " + value;
    case Kind::JoyAxis:
        return "axis " + code + " to " + value;
    }
    return "action " + code;
}

} // namespace vantrel::driver
