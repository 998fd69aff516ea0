#pragma once

#include "io/ControlMap.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::driver {

// The words of a control map's device lines:
//   device stick = 06a3:0c2d "Saitek X36"     vendor:product in hex, the evdev name optional
//   device pedals = usb-CH_Products_Pedals-event-joystick    a name under /dev/input/by-id

// What is wrong with a word as a device's label (a code name, a number, none, or a character
// a label cannot hold), or empty when it can be one.
std::string labelProblem(std::string_view word);

// The device a line's value declares, or nothing with the fault.
std::optional<DeviceMatch> parseDeviceMatch(std::string_view label, std::string_view value,
                                            std::string& fault);
// The value that reads back to the same device.
std::string deviceMatchText(const DeviceMatch& device);

// A device line for a device the map does not name yet: by its USB numbers and name, under a
// label made from its name that none of taken has.
DeviceMatch proposeDevice(const DeviceIdentity& identity, const std::vector<std::string>& taken);

// Whether a name can be kept in a device line (it is written in quotes).
bool canQuote(std::string_view name);

} // namespace vantrel::driver
