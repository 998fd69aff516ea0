#include "app/Branches.h"

#include "platform/MessageBox.h"

namespace vantrel {

bool programFromCommandLine(const std::string& deviceFilePath) {
    platform::showMessage("Sending to the device is not built yet.\nFile:  " + deviceFilePath,
                          "Device Query");
    return false;
}

} // namespace vantrel
