#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace vantrel::driverserver {

// The driver's steps, in the order a load runs through them.
enum class DriverStep { Ping, Clear, Prepare, Load };
inline constexpr std::size_t kDriverStepCount = 4;

// The one-byte commands a client sends; the profile itself follows a prepared load.
inline constexpr std::uint8_t kPingCommand = 0;
inline constexpr std::uint8_t kPrepareCommand = 1;
inline constexpr std::uint8_t kClearCommand = 3;
// The answer to a message that is no command.
inline constexpr std::uint8_t kUnknownCommandReply = 0xFF;

// How a step is answered: as the device would, with a forced byte, or not at all (the
// connection is closed instead). Only a simulated driver forces or withholds answers.
struct StepReply {
    std::optional<std::uint8_t> forced;
    bool silent = false;
};
using StepReplies = std::array<StepReply, kDriverStepCount>;

const char* stepName(DriverStep step);

} // namespace vantrel::driverserver
