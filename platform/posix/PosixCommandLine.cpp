#include "platform/SystemCommandLine.h"

namespace vantrel::platform {

std::optional<std::string> systemCommandLine() {
    return std::nullopt;
}

} // namespace vantrel::platform
