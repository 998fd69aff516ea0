#pragma once

#include "DriverProtocol.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vantrel::simdriver {

using driverserver::DriverStep;
using driverserver::kDriverStepCount;
using driverserver::stepName;

// How a step is answered: as the device would, with a forced byte, or not at all (the
// connection is closed instead).
struct StepReply {
    std::optional<std::uint8_t> forced;
    bool silent = false;
};
using StepReplies = std::array<StepReply, kDriverStepCount>;

struct SimDriverOptions {
    std::string socketPath;
    StepReplies replies{};
    bool once = false;       // exit after one profile
    bool background = false; // go on in the background once the socket listens
    bool help = false;
    bool version = false;

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

} // namespace vantrel::simdriver
