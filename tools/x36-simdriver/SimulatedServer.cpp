#include "SimulatedServer.h"

namespace vantrel::simdriver {

using driverserver::signedValue;

SimulatedServer::SimulatedServer(std::string socketPath, std::ostream& log,
                                 driverserver::DriverServerHooks hooks, StepReplies replies)
    : DriverServer("x36-simdriver", std::move(socketPath), log, std::move(hooks)),
      replies_(replies) {}

std::optional<std::uint8_t> SimulatedServer::reply(DriverStep step, std::uint8_t natural) {
    const StepReply& how = replies_[static_cast<std::size_t>(step)];
    if (how.silent) {
        log() << "Step " << stepName(step) << ": no reply, connection closed." << std::endl;
        return std::nullopt;
    }
    if (!how.forced)
        return DriverServer::reply(step, natural);
    const std::uint8_t byte = *how.forced;
    sendByte(byte);
    log() << "Step " << stepName(step) << ": answered " << signedValue(byte) << " (forced)."
          << std::endl;
    // A refused profile is given the check's reasons; one taken has only this.
    if (step == DriverStep::Load && natural == kDriverSuccess && byte != kDriverSuccess)
        sendReasons({"the reply was forced to " + signedValue(byte)});
    return byte;
}

} // namespace vantrel::simdriver
