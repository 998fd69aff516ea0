#pragma once

#include "device/DeviceProfileCheck.h"

#include <string>

namespace vantrel {

// A readable account of a received profile: its scripts with their events, its
// configurations with their entries named by slot, its chains with their breakpoints, then
// the warnings, the reasons for refusing it and the verdict. Every line ends in "\n".
std::string describeDeviceProfile(const ProfileCheck& check);

// One event as the account shows it, such as "key press, usage 4, delay 40 ms".
std::string describeEvent(const DeviceEvent& event);

} // namespace vantrel
