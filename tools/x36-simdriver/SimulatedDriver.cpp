#include "SimulatedDriver.h"

#include "device/DeviceProfileAccount.h"
#include "device/DeviceProfileCheck.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <sys/un.h>
#include <unistd.h>

namespace vantrel::simdriver {
namespace {

// Room for more than the device holds, so an overlong profile is seen as such.
constexpr std::size_t kReceiveBufferSize = 256 * 1024;
constexpr std::uint8_t kUnknownCommandReply = 0xFF;

bool fillAddress(const std::string& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

bool someoneListens(const sockaddr_un& address) {
    const int probe = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
    if (probe < 0)
        return false;
    const bool connected =
        ::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    ::close(probe);
    return connected;
}

// Receives one message. On a SOCK_SEQPACKET socket recv() returns 0 both for an empty message
// and for the peer's hang-up; only a real message carries the sender's credentials, which
// SO_PASSCRED asks for, so their absence marks the hang-up. Returns the message's whole
// length (which may exceed the buffer), or nullopt when the peer has gone.
std::optional<std::size_t> receiveMessage(int connection, std::vector<std::uint8_t>& buffer) {
    for (;;) {
        iovec part{buffer.data(), buffer.size()};
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(ucred))];
        msghdr message{};
        message.msg_iov = &part;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        // MSG_TRUNC gives the whole message's length even when it did not fit.
        const ssize_t length = ::recvmsg(connection, &message, MSG_TRUNC);
        if (length < 0 && errno == EINTR)
            continue;
        if (length < 0 || (length == 0 && message.msg_controllen == 0))
            return std::nullopt;
        return static_cast<std::size_t>(length);
    }
}

std::string signedValue(std::uint8_t byte) {
    return std::to_string(static_cast<int>(static_cast<std::int8_t>(byte)));
}

} // namespace

SimulatedDriver::SimulatedDriver(SimDriverOptions options, std::ostream& out)
    : options_(std::move(options)), out_(out), buffer_(kReceiveBufferSize) {}

SimulatedDriver::~SimulatedDriver() {
    if (listener_ >= 0) {
        ::close(listener_);
        ::unlink(options_.socketPath.c_str());
    }
}

bool SimulatedDriver::listen() {
    sockaddr_un address;
    if (!fillAddress(options_.socketPath, address)) {
        error_ = "the socket path " + options_.socketPath + " is empty or too long";
        return false;
    }
    struct stat existing {};
    if (::lstat(options_.socketPath.c_str(), &existing) == 0) {
        if (!S_ISSOCK(existing.st_mode)) {
            error_ = options_.socketPath + " exists and is not a socket; it is left alone";
            return false;
        }
        if (someoneListens(address)) {
            error_ = "a driver is already listening on " + options_.socketPath;
            return false;
        }
        ::unlink(options_.socketPath.c_str()); // left behind by a driver that was killed
    }
    const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error_ = std::string("cannot create a socket: ") + std::strerror(errno);
        return false;
    }
    const mode_t previousMask = ::umask(0077); // the socket is the user's own
    const bool bound =
        ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    const int bindError = errno;
    ::umask(previousMask);
    if (!bound || ::listen(fd, 4) != 0) {
        error_ = "cannot listen on " + options_.socketPath + ": " +
                 std::strerror(bound ? errno : bindError);
        ::close(fd);
        if (bound)
            ::unlink(options_.socketPath.c_str());
        return false;
    }
    listener_ = fd;
    out_ << "x36-simdriver: listening on " << options_.socketPath << std::endl;
    return true;
}

SimulatedDriver::Outcome SimulatedDriver::serve(int stopFd) {
    for (;;) {
        pollfd waits[2] = {{listener_, POLLIN, 0}, {stopFd, POLLIN, 0}};
        if (::poll(waits, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            error_ = std::string("poll failed: ") + std::strerror(errno);
            return Outcome::Failed;
        }
        if (waits[1].revents)
            return Outcome::Stopped;
        if (!(waits[0].revents & POLLIN))
            continue;
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            continue;
        const int passCredentials = 1;
        ::setsockopt(connection, SOL_SOCKET, SO_PASSCRED, &passCredentials, sizeof passCredentials);
        ++connections_;
        awaitingProfile_ = false;
        out_ << "Connection " << connections_ << " opened." << std::endl;
        const Next next = serveConnection(connection, stopFd);
        ::close(connection);
        out_ << "Connection " << connections_ << " closed." << std::endl;
        if (next == Next::Stop)
            return Outcome::Stopped;
        if (next == Next::ProfileDone && options_.once)
            return lastProfileTaken_ ? Outcome::ProfileTaken : Outcome::ProfileRefused;
    }
}

SimulatedDriver::Next SimulatedDriver::serveConnection(int connection, int stopFd) {
    bool tookProfile = false;
    for (;;) {
        pollfd waits[2] = {{connection, POLLIN, 0}, {stopFd, POLLIN, 0}};
        if (::poll(waits, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return Next::Stop;
        }
        if (waits[1].revents)
            return Next::Stop;
        const std::optional<std::size_t> length = receiveMessage(connection, buffer_);
        const Next next = length ? handleMessage(connection, *length) : Next::Close;
        if (next == Next::ProfileDone) {
            tookProfile = true;
            if (options_.once)
                return next;
        } else if (next == Next::Close) {
            return tookProfile ? Next::ProfileDone : Next::Close;
        }
    }
}

SimulatedDriver::Next SimulatedDriver::handleMessage(int connection, std::size_t length) {
    if (awaitingProfile_) {
        awaitingProfile_ = false;
        const std::size_t kept = std::min(length, buffer_.size());
        out_ << "Profile received: " << length << " bytes." << std::endl;
        const ProfileCheck check =
            checkDeviceProfile(std::span<const std::uint8_t>(buffer_.data(), kept));
        out_ << describeDeviceProfile(check) << std::flush;
        lastProfileTaken_ = check.accepted();
        const std::optional<std::uint8_t> sent = reply(connection, DriverStep::Load, check.reply());
        return sent ? Next::ProfileDone : Next::Close;
    }
    if (length != 1 || (buffer_[0] != 0 && buffer_[0] != 1 && buffer_[0] != 3)) {
        out_ << "Unknown command";
        if (length == 1)
            out_ << " " << static_cast<int>(buffer_[0]);
        else
            out_ << " of " << length << " bytes";
        out_ << "; answered " << signedValue(kUnknownCommandReply) << "." << std::endl;
        ::send(connection, &kUnknownCommandReply, 1, MSG_NOSIGNAL);
        return Next::Continue;
    }
    const DriverStep step = buffer_[0] == 0   ? DriverStep::Ping
                            : buffer_[0] == 3 ? DriverStep::Clear
                                              : DriverStep::Prepare;
    const std::optional<std::uint8_t> sent = reply(connection, step, 0);
    if (!sent)
        return Next::Close;
    if (step == DriverStep::Clear && *sent == 0)
        out_ << "Device profile cleared." << std::endl;
    // A prepared load waits for the profile only when the device agreed to it.
    awaitingProfile_ = step == DriverStep::Prepare && *sent == 0;
    return Next::Continue;
}

std::optional<std::uint8_t> SimulatedDriver::reply(int connection, DriverStep step,
                                                   std::uint8_t natural) {
    const StepReply& how = options_.reply(step);
    const char* name = stepName(step);
    if (how.silent) {
        out_ << "Step " << name << ": no reply, connection closed." << std::endl;
        return std::nullopt;
    }
    const std::uint8_t byte = how.forced.value_or(natural);
    ::send(connection, &byte, 1, MSG_NOSIGNAL);
    out_ << "Step " << name << ": answered " << signedValue(byte)
         << (how.forced ? " (forced)." : ".") << std::endl;
    return byte;
}

} // namespace vantrel::simdriver
