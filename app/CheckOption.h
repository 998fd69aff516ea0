#pragma once

#include <string>
#include <vector>

namespace vantrel {

// `--check [--strict] FILE...`: prints every problem of each profile text file and a summary
// per file on stdout; 1 when any file has errors (or, with --strict, warnings), else 0.
int runCheckOption(const std::vector<std::string>& operands);

} // namespace vantrel
