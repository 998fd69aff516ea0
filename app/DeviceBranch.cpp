#include "app/Branches.h"

#include "device/DeviceProgrammer.h"
#include "platform/DiagnosticPresenter.h"

namespace vantrel {

bool programFromCommandLine(const std::string& deviceFilePath) {
    platform::PresentingDiagnosticSink diagnostics;
    return programDevice(deviceFilePath, diagnostics).loaded;
}

} // namespace vantrel
