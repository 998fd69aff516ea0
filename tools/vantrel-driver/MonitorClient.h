#pragma once

#include <ostream>
#include <string>

namespace vantrel::driver {

// vantrel-driver --monitor: connects to the running driver's monitor stream at socketPath and
// copies its records to out as they come, until the driver ends (status 0). With no driver
// to connect to it says so on err, and how to start one (status 1).
int watchMonitor(const std::string& socketPath, std::ostream& out, std::ostream& err);

} // namespace vantrel::driver
