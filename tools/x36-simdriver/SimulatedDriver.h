#pragma once

#include "SimDriverOptions.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace vantrel::simdriver {

// Stands in for the X36 programming driver: listens on a Unix-domain SOCK_SEQPACKET socket,
// answers the one-byte commands ping (0), clear (3) and prepare load (1), takes the profile
// that follows a prepared load in one message, checks it as the device would and answers 0
// when it was taken. Every exchange is told on the output stream.
class SimulatedDriver {
public:
    enum class Outcome { Stopped, ProfileTaken, ProfileRefused, Failed };

    SimulatedDriver(SimDriverOptions options, std::ostream& out);
    ~SimulatedDriver(); // closes the socket and removes it
    SimulatedDriver(const SimulatedDriver&) = delete;
    SimulatedDriver& operator=(const SimulatedDriver&) = delete;

    // Creates the socket; a stale socket left at the path is replaced, but a live driver or
    // anything that is not a socket is left alone. On failure error() tells why.
    bool listen();
    // Serves one connection after another until stopFd becomes readable, or, with --once,
    // until one profile has been received.
    Outcome serve(int stopFd);

    const std::string& error() const { return error_; }

private:
    enum class Next { Continue, Close, Stop, ProfileDone };

    Next serveConnection(int connection, int stopFd);
    Next handleMessage(int connection, std::size_t length);
    // Sends the step's answer; nullopt when the step is not answered.
    std::optional<std::uint8_t> reply(int connection, DriverStep step, std::uint8_t natural);

    SimDriverOptions options_;
    std::ostream& out_;
    int listener_ = -1;
    std::string error_;
    std::vector<std::uint8_t> buffer_;
    bool awaitingProfile_ = false;
    bool lastProfileTaken_ = false;
    unsigned connections_ = 0;
};

} // namespace vantrel::simdriver
