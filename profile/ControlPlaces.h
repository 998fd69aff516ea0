#pragma once

#include <span>
#include <string_view>

namespace vantrel {

// Where each of the X36's controls sits on the stick and the throttle, for texts that send a
// pilot to it (the driver's learning prompts, the guide's table). One row per control, in the
// order of the slot table's buttons, hats and axes; the control names are the slot table's.
struct ControlPlace {
    std::string_view control;     // "FireA"
    std::string_view device;      // "stick" or "throttle"
    std::string_view place;       // "the A button on the stick's head"
    std::string_view instruction; // what to do with it: "press the A button on the stick's head"
};

std::span<const ControlPlace> controlPlaces();
// The row of a control by its exact name; nullptr for a name that is none.
const ControlPlace* findControlPlace(std::string_view control);

} // namespace vantrel
