#pragma once

#include "platform/DriverConnection.h"

#include <set>
#include <string>

namespace vantrel::platform {

// Where the driver's device object lives on a system without the X36 driver: a Unix-domain
// SOCK_SEQPACKET socket named X36Program in $XDG_RUNTIME_DIR, or /tmp/X36Program-<uid> when
// that variable is unset or empty. The simulated driver listens there.
std::string defaultDriverSocketPath();

// The driver's monitor stream beside a driver socket: X36Monitor in the same folder (in /tmp,
// X36Monitor-<uid>). A read-only stream socket of text lines; see the driver's manual.
std::string monitorSocketPath(const std::string& driverSocketPath);

// The driver's file calls over that socket: each write is one send (one message) and each
// read one recv, so a transfer keeps its boundaries as with the real driver. errno is the
// system error code.
class PosixDriverConnection : public DriverConnection {
public:
    explicit PosixDriverConnection(std::string socketPath = defaultDriverSocketPath());

    // Refuses anything but a regular file without waiting: a folder with EISDIR, a FIFO or a
    // device with EINVAL.
    std::optional<DriverHandle> openFile(const std::string& path) override;
    std::optional<DriverHandle> openDriver() override;
    std::optional<std::uint64_t> fileSize(DriverHandle file) override;
    std::optional<std::size_t> read(DriverHandle handle, std::span<std::uint8_t> buffer) override;
    std::optional<std::size_t> write(DriverHandle handle,
                                     std::span<const std::uint8_t> data) override;
    void close(DriverHandle handle) override;
    long lastError() const override { return lastError_; }
    std::string refusalReasons(DriverHandle driver) override;

    const std::string& socketPath() const { return socketPath_; }

private:
    std::nullopt_t fail(int error);

    std::string socketPath_;
    std::set<DriverHandle> sockets_;
    long lastError_ = 0;
};

} // namespace vantrel::platform
