#include "profile/ControlPlaces.h"

#include <algorithm>
#include <array>

namespace vantrel {
namespace {

// Hats are asked for a direction after the instruction ("... up"), axes are moved end to end.
constexpr std::array kPlaces = {
    ControlPlace{"Trigger", "stick", "the trigger on the front of the stick's grip",
                 "pull the trigger on the front of the stick's grip"},
    ControlPlace{"FireA", "stick", "the A button on the stick's head",
                 "press the A button on the stick's head"},
    ControlPlace{"FireB", "stick", "the B button on the stick's head",
                 "press the B button on the stick's head"},
    ControlPlace{"Launch", "stick", "the Launch button on top of the stick's head",
                 "press the Launch button on top of the stick's head"},
    ControlPlace{"FireD", "throttle", "the D button on the throttle",
                 "press the D button on the throttle"},
    ControlPlace{"MouseButton", "throttle", "the mouse button on the throttle",
                 "press the mouse button on the throttle"},
    ControlPlace{"Shift", "stick", "the Shift button low on the stick's grip",
                 "press the Shift button low on the stick's grip"},
    ControlPlace{"FireC", "stick", "the C button on the side of the stick's grip",
                 "press the C button on the side of the stick's grip"},
    ControlPlace{"Mode1", "throttle", "the Mode switch on the throttle, position 1",
                 "set the Mode switch on the throttle to 1"},
    ControlPlace{"Mode2", "throttle", "the Mode switch on the throttle, position 2",
                 "set the Mode switch on the throttle to 2"},
    ControlPlace{"Mode3", "throttle", "the Mode switch on the throttle, position 3",
                 "set the Mode switch on the throttle to 3"},
    ControlPlace{"Aux1", "throttle", "the Aux switch on the throttle, position 1",
                 "set the Aux switch on the throttle to 1"},
    ControlPlace{"Aux2", "throttle", "the Aux switch on the throttle, position 2",
                 "set the Aux switch on the throttle to 2"},
    ControlPlace{"Aux3", "throttle", "the Aux switch on the throttle, position 3",
                 "set the Aux switch on the throttle to 3"},
    ControlPlace{"StickHat1", "stick", "hat 1 on the stick's head",
                 "push hat 1 on the stick's head"},
    ControlPlace{"ThrottleHat1", "throttle", "the hat on the throttle",
                 "push the hat on the throttle"},
    ControlPlace{"MouseHat", "throttle", "the mouse hat on the throttle",
                 "push the mouse hat on the throttle"},
    ControlPlace{"StickHat2", "stick", "hat 2 on the stick's head",
                 "push hat 2 on the stick's head"},
    ControlPlace{"XAxis", "stick", "the stick, left and right", "move the stick left and right"},
    ControlPlace{"YAxis", "stick", "the stick, forward and back",
                 "move the stick forward and back"},
    ControlPlace{"ZAxis", "throttle", "the throttle lever", "move the throttle lever"},
    ControlPlace{"RAxis", "throttle", "the rudder rocker on the throttle",
                 "rock the rudder rocker on the throttle"},
    ControlPlace{"R1Axis", "throttle", "rotary 1 on the throttle", "turn rotary 1 on the throttle"},
    ControlPlace{"R2Axis", "throttle", "rotary 2 on the throttle", "turn rotary 2 on the throttle"},
};

} // namespace

std::span<const ControlPlace> controlPlaces() {
    return kPlaces;
}

const ControlPlace* findControlPlace(std::string_view control) {
    const auto found =
        std::find_if(kPlaces.begin(), kPlaces.end(),
                     [control](const ControlPlace& row) { return row.control == control; });
    return found == kPlaces.end() ? nullptr : &*found;
}

} // namespace vantrel
