#include "app/Branches.h"

#include "device/DeviceProgrammer.h"
#include "platform/DiagnosticPresenter.h"

#ifndef _WIN32
#include "platform/posix/PosixDriverConnection.h"

#include <iostream>
#endif

namespace vantrel {

bool programFromCommandLine(const std::string& deviceFilePath) {
    platform::PresentingDiagnosticSink diagnostics;
    const DeviceResult result = programDevice(deviceFilePath, diagnostics);
#ifndef _WIN32
    // The driver is a program of its own here, which a new user may not have started yet.
    if (result.driverNotOpened)
        std::cerr << "No driver listens on " << platform::defaultDriverSocketPath()
                  << ": start one with systemctl --user start vantrel-driver, or try without "
                     "an X36 with x36-simdriver --background."
                  << std::endl;
#endif
    return result.loaded;
}

} // namespace vantrel
