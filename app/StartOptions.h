#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vantrel {

// The options start-up takes, each only as the first argument and only in its exact form,
// with the handler that runs it without any window. Anything else is left to the path rule.
struct StartOption {
    const char* name;
    const char* help;
    int (*run)(const std::vector<std::string>& rest);
};
const std::vector<StartOption>& startOptions();

// Runs the option the first argument names and returns the exit status; nullopt when the
// first argument is no option.
std::optional<int> runStartOption(const std::vector<std::string>& arguments);

// `--check [--strict] FILE...`: prints every problem of each profile text file and a summary
// per file on stdout; 1 when any file has errors (or, with --strict, warnings), else 0.
int runCheckOption(const std::vector<std::string>& rest);

} // namespace vantrel
