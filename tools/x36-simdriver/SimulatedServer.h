#pragma once

#include "DriverServer.h"
#include "SimDriverOptions.h"

namespace vantrel::simdriver {

// The driver's server with the answers a test asks for: a step may be answered with a forced
// byte, or not at all. A load the device would take but whose answer was forced to fail is
// given that as its reason.
class SimulatedServer : public driverserver::DriverServer {
public:
    SimulatedServer(std::string socketPath, std::ostream& log,
                    driverserver::DriverServerHooks hooks, StepReplies replies);

protected:
    std::optional<std::uint8_t> reply(DriverStep step, std::uint8_t natural) override;

private:
    StepReplies replies_;
};

} // namespace vantrel::simdriver
