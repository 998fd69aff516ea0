#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace vantrel::driverserver {

// The driver's steps, in the order a load runs through them.
enum class DriverStep { Ping, Clear, Prepare, Load };
inline constexpr std::size_t kDriverStepCount = 4;

// How a step is answered: as the device would, with a forced byte, or not at all (the
// connection is closed instead). Only a simulated driver forces or withholds answers.
struct StepReply {
    std::optional<std::uint8_t> forced;
    bool silent = false;
};
using StepReplies = std::array<StepReply, kDriverStepCount>;

const char* stepName(DriverStep step);

} // namespace vantrel::driverserver
