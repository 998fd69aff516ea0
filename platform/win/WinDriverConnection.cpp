#include "platform/win/WinDriverConnection.h"
#include "platform/win/WideText.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <limits>

namespace vantrel::platform {
namespace {

HANDLE toHandle(DriverHandle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

DWORD clampedLength(std::size_t length) {
    return static_cast<DWORD>(std::min<std::size_t>(length, std::numeric_limits<DWORD>::max()));
}

} // namespace

std::unique_ptr<DriverConnection> systemDriverConnection() {
    return std::make_unique<WinDriverConnection>();
}

std::nullopt_t WinDriverConnection::fail() {
    lastError_ = static_cast<long>(::GetLastError());
    return std::nullopt;
}

std::optional<DriverHandle> WinDriverConnection::opened(void* handle) {
    if (handle == INVALID_HANDLE_VALUE)
        return fail();
    return reinterpret_cast<DriverHandle>(handle);
}

std::optional<DriverHandle> WinDriverConnection::openFile(const std::string& path) {
    // The path is UTF-8 and may hold characters outside the ANSI code page, so the file is
    // opened by the wide call; the driver's object name is plain ASCII and keeps CreateFileA.
    const std::optional<DriverHandle> file =
        opened(::CreateFileW(wideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                             OPEN_EXISTING, 0, nullptr));
    // A pipe or a device could make the read wait for ever: only files on a disk are sent.
    if (file && ::GetFileType(toHandle(*file)) != FILE_TYPE_DISK) {
        ::CloseHandle(toHandle(*file));
        lastError_ = ERROR_INVALID_PARAMETER;
        return std::nullopt;
    }
    return file;
}

std::optional<DriverHandle> WinDriverConnection::openDriver() {
    return opened(::CreateFileA(kDriverObjectName, GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                nullptr));
}

std::optional<std::uint64_t> WinDriverConnection::fileSize(DriverHandle file) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(toHandle(file), &size))
        return fail();
    return static_cast<std::uint64_t>(size.QuadPart);
}

std::optional<std::size_t> WinDriverConnection::read(DriverHandle handle,
                                                     std::span<std::uint8_t> buffer) {
    DWORD done = 0;
    if (!::ReadFile(toHandle(handle), buffer.data(), clampedLength(buffer.size()), &done, nullptr))
        return fail();
    return done;
}

std::optional<std::size_t> WinDriverConnection::write(DriverHandle handle,
                                                      std::span<const std::uint8_t> data) {
    DWORD done = 0;
    if (!::WriteFile(toHandle(handle), data.data(), clampedLength(data.size()), &done, nullptr))
        return fail();
    return done;
}

void WinDriverConnection::close(DriverHandle handle) {
    ::CloseHandle(toHandle(handle));
}

} // namespace vantrel::platform
