#pragma once

#include "SimDriverOptions.h"
#include "SimulatedServer.h"

#include <ostream>
#include <string>

namespace vantrel::simdriver {

// Stands in for the X36 programming driver: serves the driver's socket through SimulatedServer
// and tells every exchange, with a full account of each profile received, on the output.
class SimulatedDriver {
public:
    enum class Outcome { Stopped, ProfileTaken, ProfileRefused, Failed };

    SimulatedDriver(SimDriverOptions options, std::ostream& out);

    // Creates the socket; a stale socket left at the path is replaced, but a live driver or
    // anything that is not a socket is left alone. On failure error() tells why.
    bool listen();
    // Serves one connection after another until stopFd becomes readable, or, with --once,
    // until one profile has been received.
    Outcome serve(int stopFd);

    const std::string& error() const { return error_.empty() ? server_.error() : error_; }

private:
    SimDriverOptions options_;
    SimulatedServer server_;
    std::string error_;
};

} // namespace vantrel::simdriver
