#pragma once

#include "DriverProtocol.h"

#include <string>
#include <vector>

namespace vantrel::simdriver {

using driverserver::DriverStep;
using driverserver::kDriverStepCount;
using driverserver::stepName;
using driverserver::StepReplies;
using driverserver::StepReply;

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
