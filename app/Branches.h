#pragma once

#include <string>

namespace vantrel {

// The two windowless branches of start-up. Each returns true when it did its job: the
// device profile file was written, or the device took the profile.
bool translateFromCommandLine(const std::string& profileTextPath);
bool programFromCommandLine(const std::string& deviceFilePath);

} // namespace vantrel
