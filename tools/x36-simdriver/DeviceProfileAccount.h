#pragma once

#include "device/DeviceProfileCheck.h"

#include <string>

namespace vantrel::simdriver {

// A readable account of a received profile: its scripts with their events, its
// configurations with their entries named by slot, its chains with their breakpoints, then
// the warnings, the reasons for refusing it and the verdict. Every line ends in "\n".
std::string describeDeviceProfile(const ProfileCheck& check);

} // namespace vantrel::simdriver
