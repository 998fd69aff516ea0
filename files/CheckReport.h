#pragma once

#include "files/ProfileCheck.h"

#include <string>
#include <vector>

namespace vantrel {

// Checks a profile text file on disk; a file that cannot be read is one error with no place.
std::vector<CheckFinding> checkProfileFile(const std::string& path);

// One finding as a line of the check's report: "PATH:LINE:COLUMN: error: TEXT", or
// "PATH: warning: TEXT" for a finding with no place in the file.
std::string formatFinding(const std::string& path, const CheckFinding& finding);

// The closing line for one file: "PATH: 2 errors, 1 warning", or "PATH: no problems".
std::string formatCheckSummary(const std::string& path, const std::vector<CheckFinding>& findings);

} // namespace vantrel
