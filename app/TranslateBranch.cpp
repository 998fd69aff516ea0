#include "app/Branches.h"

#include "files/ProfileTranslator.h"
#include "platform/DiagnosticPresenter.h"

#include <iostream>
#include <memory>

namespace vantrel {

bool translateFromCommandLine(const std::string& profileTextPath) {
    // Each problem is shown as it is found, as the pass goes on.
    platform::PresentingDiagnosticSink diagnostics;
    const auto translator = std::make_unique<ProfileTranslator>(profileTextPath, diagnostics);
    if (translator->writeDeviceFile())
        return true;
    // The translation pass reports its own problems; a device file that could not be written
    // would otherwise fail without a word.
    if (const platform::FileError& error = translator->writeError())
        std::cerr << "Cannot write " << translator->outputPath() << ": " << error.reason
                  << std::endl;
    return false;
}

} // namespace vantrel
