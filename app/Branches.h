#pragma once

#include <optional>
#include <string>

namespace vantrel {

// The two windowless branches of start-up. Each returns true when it did its job: the
// device profile file was written, or the device took the profile.
bool translateFromCommandLine(const std::string& profileTextPath);
bool programFromCommandLine(const std::string& deviceFilePath);

// The translation branch for a run that could show its messages in boxes but has shown
// nothing yet: the pass runs with its messages kept, and only one that reported nothing goes
// on to write the device file (a failed write is told on stderr, as ever). nullopt when the
// pass reported something, with nothing written: the run is then to be repeated where its
// messages can be shown.
std::optional<bool> translateWithNothingToShow(const std::string& profileTextPath);

} // namespace vantrel
