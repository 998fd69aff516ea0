#pragma once

#include <string_view>

namespace vantrel::driver {

// Every virtual device a Vantrel driver makes carries this physical location, so that a driver
// (this one or another) never takes one for a joystick of the pilot's: udev reports the virtual
// joystick as a joystick like any other.
inline constexpr std::string_view kVirtualDevicePhys = "vantrel-driver/virtual";
// Drivers from before the mark named their devices so; the name alone still tells them.
inline constexpr std::string_view kVirtualDeviceNamePrefix = "Vantrel virtual ";

inline bool isVantrelVirtualDevice(std::string_view phys, std::string_view name) {
    return phys == kVirtualDevicePhys || name.starts_with(kVirtualDeviceNamePrefix);
}

} // namespace vantrel::driver
