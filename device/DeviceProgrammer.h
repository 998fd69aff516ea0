#pragma once

#include "devicefile/DeviceFormat.h"
#include "platform/DriverConnection.h"
#include "profile/Diagnostic.h"

#include <cstddef>
#include <string>

namespace vantrel {

// The device takes a profile of at most this many bytes, sent in one transfer.
inline constexpr std::size_t kTransferBufferSize = kDeviceProfileCapacity;

// What one exchange with the driver gave: the log shown to the user, and whether the device
// took the profile (the log then ends in "Profile load complete.\n").
struct DeviceResult {
    std::string log;
    bool loaded = false;
    bool driverNotOpened = false; // no driver answered: none is running, most often
};

// Sends one device profile file to the X36 through its driver, step by step: open the file,
// open the driver, ping, clear the device profile, prepare the load, read the file, send it,
// and judge the device's final reply. When the driver gives reasons for refusing the profile,
// each is one more line after the load error: "Reason:  " and the reason. Both handles are closed
// on every path before it returns. A file longer than the device takes is refused before the driver
// is opened.
class DeviceProgrammer {
public:
    explicit DeviceProgrammer(platform::DriverConnection& connection);

    DeviceResult program(const std::string& path);

private:
    platform::DriverConnection& connection_;
};

// The outcome as a diagnostic: the log under the title "Device Query", a note when the
// device took the profile and a warning otherwise.
Diagnostic deviceQueryReport(const DeviceResult& result);

// Sends the file and reports deviceQueryReport to the sink once the exchange is over.
DeviceResult programDevice(const std::string& path, platform::DriverConnection& connection,
                           DiagnosticSink& diagnostics);
// The same through the system's driver connection.
DeviceResult programDevice(const std::string& path, DiagnosticSink& diagnostics);

} // namespace vantrel
