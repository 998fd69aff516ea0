#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vantrel::platform {

// An open device profile file or driver object. Invalid handles are never handed out: a
// failed open gives std::nullopt and the reason is in lastError().
using DriverHandle = std::intptr_t;

// The file calls that the device link makes, one to one with the system's own: on Windows
// CreateFileA, ReadFile, WriteFile, CloseHandle and GetLastError; elsewhere the same
// operations on a file and on the socket that stands for the driver's device object.
// Every read and write is one transfer: a write to the driver is one message, a read from
// it takes one message.
class DriverConnection {
public:
    virtual ~DriverConnection() = default;

    // Opens an existing file for reading (shared for reading).
    virtual std::optional<DriverHandle> openFile(const std::string& path) = 0;
    // Opens the driver's device object for reading and writing.
    virtual std::optional<DriverHandle> openDriver() = 0;
    // The size in bytes of a file opened by openFile.
    virtual std::optional<std::uint64_t> fileSize(DriverHandle file) = 0;
    // One read of at most buffer.size() bytes: the number of bytes read, nullopt on failure.
    virtual std::optional<std::size_t> read(DriverHandle handle,
                                            std::span<std::uint8_t> buffer) = 0;
    // One write: the number of bytes written, nullopt on failure.
    virtual std::optional<std::size_t> write(DriverHandle handle,
                                             std::span<const std::uint8_t> data) = 0;
    virtual void close(DriverHandle handle) = 0;
    // The system error code of the last failed call.
    virtual long lastError() const = 0;

    // After a load the driver did not answer with 0: its reasons, one a line, when it sends
    // them as a message after the reply byte (kRefusalLinePrefix before each line, at most
    // kRefusalMessageLimit bytes). Empty when it sends none; waits a moment at most.
    virtual std::string refusalReasons(DriverHandle /*driver*/) { return {}; }
};

// The follow-up message of a refused load. A client that reads only the reply bytes never
// sees it, so the exchange stays as the device's own.
inline constexpr std::string_view kRefusalLinePrefix = "refused: ";
inline constexpr std::size_t kRefusalMessageLimit = 4096;

// The connection of this platform to the X36 driver (or the simulated driver).
std::unique_ptr<DriverConnection> systemDriverConnection();

} // namespace vantrel::platform
