#pragma once

#include <optional>
#include <string>

namespace vantrel::platform {

// The process's command line as the system keeps it, the program's own name included, in
// UTF-8. Windows keeps it whole (GetCommandLineW), quotes and all; POSIX systems keep only
// the split arguments, so there it is nullopt and the caller rebuilds the line.
std::optional<std::string> systemCommandLine();

} // namespace vantrel::platform
