#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vantrel::simdriver {

// The driver's steps, in the order a load runs through them.
enum class DriverStep { Ping, Clear, Prepare, Load };
inline constexpr std::size_t kDriverStepCount = 4;

// How the simulated driver answers one step: as the device would, with a forced byte, or
// not at all (it closes the connection instead).
struct StepReply {
    std::optional<std::uint8_t> forced;
    bool silent = false;
};

struct SimDriverOptions {
    std::string socketPath;
    std::array<StepReply, kDriverStepCount> replies{};
    bool once = false; // exit after one profile
    bool help = false;

    const StepReply& reply(DriverStep step) const {
        return replies[static_cast<std::size_t>(step)];
    }
};

struct ParsedOptions {
    SimDriverOptions options;
    std::string error; // empty when the arguments were understood
};

// Reads the command line (without the program name). The socket path defaults to
// defaultSocketPath.
ParsedOptions parseSimDriverOptions(const std::vector<std::string>& arguments,
                                    const std::string& defaultSocketPath);

std::string simDriverUsage();
const char* stepName(DriverStep step);

} // namespace vantrel::simdriver
