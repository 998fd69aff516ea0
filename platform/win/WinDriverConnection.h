#pragma once

#include "platform/DriverConnection.h"

namespace vantrel::platform {

// The X36 driver's device object is opened by this name.
inline constexpr const char* kDriverObjectName = "\\\\.\\X36Program";

// The driver's file calls on Windows: CreateFileA on the driver's object (CreateFileW on the
// device profile file, whose UTF-8 path may leave the ANSI code page), ReadFile, WriteFile,
// CloseHandle and GetLastError, all synchronous.
class WinDriverConnection : public DriverConnection {
public:
    std::optional<DriverHandle> openFile(const std::string& path) override;
    std::optional<DriverHandle> openDriver() override;
    std::optional<std::uint64_t> fileSize(DriverHandle file) override;
    std::optional<std::size_t> read(DriverHandle handle, std::span<std::uint8_t> buffer) override;
    std::optional<std::size_t> write(DriverHandle handle,
                                     std::span<const std::uint8_t> data) override;
    void close(DriverHandle handle) override;
    long lastError() const override { return lastError_; }

private:
    // The handle of a CreateFile call, or the failure with its system code.
    std::optional<DriverHandle> opened(void* handle);
    std::nullopt_t fail();

    long lastError_ = 0;
};

} // namespace vantrel::platform
