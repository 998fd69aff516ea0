#pragma once

#include <string>
#include <vector>

namespace vantrel::platform {

// The absolute path of the running program's executable; empty when the system does not say.
std::string executablePath();

// Runs the program at path in place of the running one, in the same process with the same
// environment and open files, handing it these arguments (the first is the name it is called
// by). Returns only when that program cannot be started, with the system's reason.
std::string replaceProgram(const std::string& path, const std::vector<std::string>& arguments);

} // namespace vantrel::platform
