#include "device/DeviceProgrammer.h"

#include <array>
#include <optional>
#include <vector>

namespace vantrel {
namespace {

// Closes a handle when the step that opened it is left, whichever way.
class ScopedHandle {
public:
    ScopedHandle(platform::DriverConnection& connection, platform::DriverHandle handle)
        : connection_(connection), handle_(handle) {}
    ~ScopedHandle() { connection_.close(handle_); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    platform::DriverHandle get() const { return handle_; }

private:
    platform::DriverConnection& connection_;
    platform::DriverHandle handle_;
};

struct CommandStep {
    DriverCommand command;
    const char* success;
    const char* failure;
};

constexpr std::array<CommandStep, 3> kCommandSteps{{
    {DriverCommand::Ping, "Ping complete.\n", "Ping error.  Value: "},
    {DriverCommand::ClearProfile, "Profile clear complete.\n", "Profile clear error.  Value: "},
    {DriverCommand::PrepareLoad, "Driver open complete.\n",
     "Error setting up profile load.  Value: "},
}};

// A reply byte as the log shows it: a signed 8-bit value.
std::string replyValue(std::uint8_t byte) {
    return std::to_string(static_cast<int>(static_cast<std::int8_t>(byte)));
}

DeviceResult failed(std::string line) {
    return {std::move(line), false};
}

} // namespace

DeviceProgrammer::DeviceProgrammer(platform::DriverConnection& connection)
    : connection_(connection) {}

DeviceResult DeviceProgrammer::program(const std::string& path) {
    std::string log = "X36 Device Programming\nFile:  " + path + "\n";

    const std::optional<platform::DriverHandle> openedFile = connection_.openFile(path);
    if (!openedFile)
        return failed("Error: unable to open file " + path + ".   Error " +
                      std::to_string(connection_.lastError()) + "\n");
    const ScopedHandle file(connection_, *openedFile);

    // The device is cleared before the profile is sent, so a file it cannot take whole is
    // refused while the device still holds its old profile.
    const std::optional<std::uint64_t> size = connection_.fileSize(file.get());
    if (!size)
        return failed("Error reading file.  Value: " + std::to_string(connection_.lastError()) +
                      "\n");
    if (*size > kTransferBufferSize)
        return failed("Error: file " + path + " is " + std::to_string(*size) +
                      " bytes long; the device takes at most " +
                      std::to_string(kTransferBufferSize) + " bytes.  Nothing was sent.\n");

    const std::optional<platform::DriverHandle> openedDriver = connection_.openDriver();
    if (!openedDriver) {
        DeviceResult result = failed(
            "Error opening driver.  Error: " + std::to_string(connection_.lastError()) + "\n");
        result.driverNotOpened = true;
        return result;
    }
    const ScopedHandle driver(connection_, *openedDriver);

    std::vector<std::uint8_t> buffer(kTransferBufferSize);
    const std::span<std::uint8_t> firstByte(buffer.data(), 1);
    for (const CommandStep& step : kCommandSteps) {
        buffer[0] = static_cast<std::uint8_t>(step.command);
        connection_.write(driver.get(), firstByte);
        buffer[0] = 1;
        const std::optional<std::size_t> replied = connection_.read(driver.get(), firstByte);
        if (replied != std::size_t{1} || buffer[0] != kDriverSuccess)
            return failed(step.failure + replyValue(buffer[0]) + "\n");
        log += step.success;
    }

    const std::optional<std::size_t> read = connection_.read(file.get(), buffer);
    if (!read)
        return failed("Error reading file.  Value: " + std::to_string(connection_.lastError()) +
                      "\n");
    log += "File read complete.  Read " + std::to_string(*read) + " bytes.\n";

    const std::optional<std::size_t> sent =
        connection_.write(driver.get(), std::span<const std::uint8_t>(buffer.data(), *read));
    log += "Profile send complete.  Sent " + std::to_string(sent.value_or(0)) + " bytes.\n";

    // The first byte is not preset: without a reply it still holds the profile's first byte.
    const std::optional<std::size_t> replied = connection_.read(driver.get(), firstByte);
    const bool loaded = replied == std::size_t{1} && buffer[0] == kDriverSuccess;
    log += loaded ? std::string("Profile load complete.\n")
                  : "Profile load error.  Value: " + replyValue(buffer[0]) + "\n";
    // A driver that refused says why after its reply byte; each reason is a line of its own.
    if (replied == std::size_t{1} && !loaded) {
        const std::string reasons = connection_.refusalReasons(driver.get());
        std::size_t start = 0;
        while (start < reasons.size()) {
            const std::size_t end = reasons.find('\n', start);
            log += "Reason:  " + reasons.substr(start, end - start) + "\n";
            start = end == std::string::npos ? reasons.size() : end + 1;
        }
    }
    return {std::move(log), loaded};
}

Diagnostic deviceQueryReport(const DeviceResult& result) {
    Diagnostic report{result.loaded ? Severity::Note : Severity::Warning, result.log,
                      "Device Query"};
    report.endsOperation = !result.loaded;
    return report;
}

DeviceResult programDevice(const std::string& path, platform::DriverConnection& connection,
                           DiagnosticSink& diagnostics) {
    DeviceResult result = DeviceProgrammer(connection).program(path);
    diagnostics.report(deviceQueryReport(result));
    return result;
}

DeviceResult programDevice(const std::string& path, DiagnosticSink& diagnostics) {
    const std::unique_ptr<platform::DriverConnection> connection =
        platform::systemDriverConnection();
    return programDevice(path, *connection, diagnostics);
}

} // namespace vantrel
