#include "app/Branches.h"

#include "device/DeviceProgrammer.h"

namespace vantrel {

bool programFromCommandLine(const std::string& deviceFilePath) {
    return programDevice(deviceFilePath).loaded;
}

} // namespace vantrel
