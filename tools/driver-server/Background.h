#pragma once

#include <string>

namespace vantrel::driverserver {

// Goes on in the background once the driver's socket listens, so that the command that
// started the driver returns only when a client can connect (a client started next queues
// on the listening socket). The calling process ends here with status 0 after telling on
// out how to stop the driver; the driver goes on in a child of its own session. False, with
// the reason in error, when no child could be made; the caller then goes on in the
// foreground or gives up.
bool continueInBackground(const std::string& name, std::string& error);

} // namespace vantrel::driverserver
