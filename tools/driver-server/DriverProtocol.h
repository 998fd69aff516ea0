#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vantrel::driverserver {

// The driver's steps, in the order a load runs through them.
enum class DriverStep { Ping, Clear, Prepare, Load };
inline constexpr std::size_t kDriverStepCount = 4;

const char* stepName(DriverStep step);
// A reply byte as the log shows it: its signed reading.
std::string signedValue(std::uint8_t byte);

} // namespace vantrel::driverserver
