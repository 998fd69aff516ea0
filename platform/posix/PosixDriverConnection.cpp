#include "platform/posix/PosixDriverConnection.h"
#include "platform/posix/PosixFiles.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace vantrel::platform {

std::string defaultDriverSocketPath() {
    const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
    if (runtimeDir && *runtimeDir)
        return std::string(runtimeDir) + "/X36Program";
    return "/tmp/X36Program-" + std::to_string(::getuid());
}

std::string monitorSocketPath(const std::string& driverSocketPath) {
    constexpr std::string_view kProgram = "X36Program";
    const std::size_t folderEnd = driverSocketPath.rfind('/') + 1; // 0 without a folder
    const std::size_t name = driverSocketPath.find(kProgram, folderEnd);
    if (name == std::string::npos)
        return driverSocketPath + ".monitor";
    std::string path = driverSocketPath;
    path.replace(name, kProgram.size(), "X36Monitor");
    return path;
}

std::unique_ptr<DriverConnection> systemDriverConnection() {
    return std::make_unique<PosixDriverConnection>();
}

PosixDriverConnection::PosixDriverConnection(std::string socketPath)
    : socketPath_(std::move(socketPath)) {}

std::nullopt_t PosixDriverConnection::fail(int error) {
    lastError_ = error;
    return std::nullopt;
}

std::optional<DriverHandle> PosixDriverConnection::openFile(const std::string& path) {
    // A FIFO or a device would make the read wait for ever: only regular files are sent.
    int error = 0;
    const int fd = openRegularFile(path, error);
    if (fd < 0)
        return fail(error);
    return fd;
}

std::optional<DriverHandle> PosixDriverConnection::openDriver() {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath_.empty() || socketPath_.size() >= sizeof(address.sun_path))
        return fail(socketPath_.empty() ? ENOENT : ENAMETOOLONG);
    std::memcpy(address.sun_path, socketPath_.c_str(), socketPath_.size() + 1);

    const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return fail(errno);
    int result;
    do {
        result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        const int error = errno;
        ::close(fd);
        return fail(error);
    }
#ifdef SO_PEERCRED
    // A socket in a shared folder such as /tmp could be put there by anyone: only a driver
    // run by this user (or by the administrator) is trusted with the profile.
    ucred peer{};
    socklen_t length = sizeof(peer);
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0 ||
        (peer.uid != ::getuid() && peer.uid != 0)) {
        ::close(fd);
        return fail(EACCES);
    }
#endif
    sockets_.insert(fd);
    return fd;
}

std::optional<std::uint64_t> PosixDriverConnection::fileSize(DriverHandle file) {
    struct stat info {};
    if (::fstat(static_cast<int>(file), &info) != 0)
        return fail(errno);
    if (!S_ISREG(info.st_mode))
        return fail(EINVAL);
    return static_cast<std::uint64_t>(info.st_size);
}

std::optional<std::size_t> PosixDriverConnection::read(DriverHandle handle,
                                                       std::span<std::uint8_t> buffer) {
    ssize_t count;
    do {
        count = ::read(static_cast<int>(handle), buffer.data(), buffer.size());
    } while (count < 0 && errno == EINTR);
    if (count < 0)
        return fail(errno);
    return static_cast<std::size_t>(count);
}

std::optional<std::size_t> PosixDriverConnection::write(DriverHandle handle,
                                                        std::span<const std::uint8_t> data) {
    const int fd = static_cast<int>(handle);
    ssize_t count;
    do {
        // A driver that has gone away must give an error, not end the program by SIGPIPE.
        count = sockets_.contains(handle) ? ::send(fd, data.data(), data.size(), MSG_NOSIGNAL)
                                          : ::write(fd, data.data(), data.size());
    } while (count < 0 && errno == EINTR);
    if (count < 0)
        return fail(errno);
    return static_cast<std::size_t>(count);
}

std::string PosixDriverConnection::refusalReasons(DriverHandle driver) {
    if (!sockets_.contains(driver))
        return {};
    // A driver that sends reasons sends them right after its reply; one that does not is
    // waited for only this long.
    constexpr int kWaitMilliseconds = 1000;
    const int fd = static_cast<int>(driver);
    pollfd wait{fd, POLLIN, 0};
    int ready;
    do {
        ready = ::poll(&wait, 1, kWaitMilliseconds);
    } while (ready < 0 && errno == EINTR);
    if (ready <= 0 || (wait.revents & POLLIN) == 0)
        return {};
    std::string message(kRefusalMessageLimit, '\0');
    const ssize_t count = ::recv(fd, message.data(), message.size(), MSG_DONTWAIT);
    if (count <= 0)
        return {};
    message.resize(static_cast<std::size_t>(count));
    // Only lines in the agreed form are taken: anything else is no account of a refusal.
    std::string reasons;
    std::size_t start = 0;
    while (start < message.size()) {
        std::size_t end = message.find('\n', start);
        if (end == std::string::npos)
            end = message.size();
        const std::string_view line(message.data() + start, end - start);
        if (!line.starts_with(kRefusalLinePrefix))
            return {};
        reasons.append(line.substr(kRefusalLinePrefix.size())).push_back('\n');
        start = end + 1;
    }
    return reasons;
}

void PosixDriverConnection::close(DriverHandle handle) {
    sockets_.erase(handle);
    ::close(static_cast<int>(handle));
}

} // namespace vantrel::platform
