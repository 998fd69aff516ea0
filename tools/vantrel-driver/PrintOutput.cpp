#include "PrintOutput.h"

#include "io/ActionText.h"

#include <cstdio>

namespace vantrel::driver {

PrintOutput::PrintOutput(std::ostream& out, std::string reason)
    : out_(out), reason_(std::move(reason)) {}

void PrintOutput::emit(const player::OutputAction& action, player::Time at) {
    char stamp[32];
    const long long micros = at.count();
    std::snprintf(stamp, sizeof stamp, "%4lld.%03lld ", micros / 1000000,
                  (micros % 1000000) / 1000);
    out_ << stamp << actionText(action) << std::endl; // flushed: a reader follows it live
}

std::string PrintOutput::describe() const {
    return reason_.empty() ? "print (a line per action on standard output)"
                           : "print (a line per action on standard output): " + reason_;
}

} // namespace vantrel::driver
