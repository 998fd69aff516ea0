#include "app/Branches.h"

#include "files/ProfileTranslator.h"

#include <memory>

namespace vantrel {

bool translateFromCommandLine(const std::string& profileTextPath) {
    const auto translator = std::make_unique<ProfileTranslator>(profileTextPath);
    return translator->writeDeviceFile();
}

} // namespace vantrel
