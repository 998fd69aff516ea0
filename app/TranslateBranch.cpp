#include "app/Branches.h"

#include "platform/MessageBox.h"

namespace vantrel {

bool translateFromCommandLine(const std::string& profileTextPath) {
    platform::showMessage("Translation to the device profile file is not built yet.",
                          profileTextPath);
    return false;
}

} // namespace vantrel
