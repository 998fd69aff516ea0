#include "platform/FileAccess.h"

#include <system_error>

namespace vantrel::platform {

FileError systemError(long code) {
    return {code, std::system_category().message(static_cast<int>(code))};
}

} // namespace vantrel::platform
