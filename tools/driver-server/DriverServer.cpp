#include "DriverServer.h"

#include "platform/DriverConnection.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <sys/un.h>
#include <unistd.h>

namespace vantrel::driverserver {
namespace {

// Room for more than the device holds, so an overlong profile is seen as such.
constexpr std::size_t kReceiveBufferSize = 256 * 1024;

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

bool readable(int fd) {
    pollfd wait{fd, POLLIN, 0};
    return ::poll(&wait, 1, 0) > 0 && wait.revents != 0;
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
        const ssize_t length = ::recvmsg(connection, &message, MSG_TRUNC | MSG_DONTWAIT);
        if (length < 0 && errno == EINTR)
            continue;
        if (length < 0 || (length == 0 && message.msg_controllen == 0))
            return std::nullopt;
        return static_cast<std::size_t>(length);
    }
}

} // namespace

std::string signedValue(std::uint8_t byte) {
    return std::to_string(static_cast<int>(static_cast<std::int8_t>(byte)));
}

const char* stepName(DriverStep step) {
    switch (step) {
    case DriverStep::Ping:
        return "ping";
    case DriverStep::Clear:
        return "clear";
    case DriverStep::Prepare:
        return "prepare";
    case DriverStep::Load:
        break;
    }
    return "load";
}

DriverServer::DriverServer(std::string name, std::string socketPath, std::ostream& log,
                           DriverServerHooks hooks)
    : name_(std::move(name)), socketPath_(std::move(socketPath)), log_(log),
      hooks_(std::move(hooks)), buffer_(kReceiveBufferSize) {}

DriverServer::~DriverServer() {
    if (connection_ >= 0)
        ::close(connection_);
    if (listener_ >= 0) {
        ::close(listener_);
        ::unlink(socketPath_.c_str());
    }
}

bool DriverServer::listen() {
    sockaddr_un address;
    if (!fillAddress(socketPath_, address)) {
        error_ = "the socket path " + socketPath_ + " is empty or too long";
        return false;
    }
    struct stat existing {};
    if (::lstat(socketPath_.c_str(), &existing) == 0) {
        if (!S_ISSOCK(existing.st_mode)) {
            error_ = socketPath_ + " exists and is not a socket; it is left alone";
            return false;
        }
        if (someoneListens(address)) {
            error_ = "a driver is already listening on " + socketPath_;
            return false;
        }
        ::unlink(socketPath_.c_str()); // left behind by a driver that was killed
    }
    // Non-blocking: a client that gives up between poll and accept must not stall the owner.
    const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
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
        error_ =
            "cannot listen on " + socketPath_ + ": " + std::strerror(bound ? errno : bindError);
        ::close(fd);
        if (bound)
            ::unlink(socketPath_.c_str());
        return false;
    }
    listener_ = fd;
    log_ << name_ << ": listening on " << socketPath_ << std::endl;
    return true;
}

std::vector<int> DriverServer::fds() const {
    if (connection_ >= 0)
        return {connection_};
    if (listener_ >= 0)
        return {listener_};
    return {};
}

DriverServer::Served DriverServer::step() {
    if (connection_ < 0) {
        if (listener_ >= 0 && readable(listener_))
            accept();
        return Served::Nothing;
    }
    if (!readable(connection_))
        return Served::Nothing;
    const std::optional<std::size_t> length = receiveMessage(connection_, buffer_);
    if (!length) {
        closeConnection();
        return Served::Nothing;
    }
    return handleMessage(*length);
}

void DriverServer::accept() {
    const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0)
        return;
    const int passCredentials = 1;
    ::setsockopt(connection, SOL_SOCKET, SO_PASSCRED, &passCredentials, sizeof passCredentials);
    connection_ = connection;
    ++connections_;
    awaitingProfile_ = false;
    log_ << "Connection " << connections_ << " opened." << std::endl;
}

void DriverServer::closeConnection() {
    if (connection_ < 0)
        return;
    ::close(connection_);
    connection_ = -1;
    awaitingProfile_ = false;
    log_ << "Connection " << connections_ << " closed." << std::endl;
    if (hooks_.connectionClosed)
        hooks_.connectionClosed();
}

DriverServer::Served DriverServer::handleMessage(std::size_t length) {
    if (awaitingProfile_)
        return handleProfile(length);
    const auto command = static_cast<DriverCommand>(buffer_[0]);
    if (length != 1 || (command != DriverCommand::Ping && command != DriverCommand::ClearProfile &&
                        command != DriverCommand::PrepareLoad)) {
        log_ << "Unknown command";
        if (length == 1)
            log_ << " " << static_cast<int>(buffer_[0]);
        else
            log_ << " of " << length << " bytes";
        log_ << "; answered " << signedValue(kUnknownCommandReply) << "." << std::endl;
        ::send(connection_, &kUnknownCommandReply, 1, MSG_NOSIGNAL | MSG_DONTWAIT);
        return Served::Nothing;
    }
    const DriverStep step = command == DriverCommand::Ping           ? DriverStep::Ping
                            : command == DriverCommand::ClearProfile ? DriverStep::Clear
                                                                     : DriverStep::Prepare;
    const std::optional<std::uint8_t> sent = reply(step, kDriverSuccess);
    if (!sent) {
        closeConnection();
        return Served::Nothing;
    }
    if (step == DriverStep::Clear && *sent == kDriverSuccess) {
        // Told before this step returns, so a client that saw the answer finds the profile gone.
        if (hooks_.cleared)
            hooks_.cleared();
        log_ << "Device profile cleared." << std::endl;
    }
    // A prepared load waits for the profile only when the device agreed to it.
    awaitingProfile_ = step == DriverStep::Prepare && *sent == kDriverSuccess;
    return Served::Nothing;
}

DriverServer::Served DriverServer::handleProfile(std::size_t length) {
    awaitingProfile_ = false;
    const std::size_t kept = std::min(length, buffer_.size());
    const std::span<const std::uint8_t> bytes(buffer_.data(), kept);
    const ProfileCheck check = checkDeviceProfile(bytes);
    if (hooks_.profileReceived)
        hooks_.profileReceived(length, check);
    if (check.accepted() && hooks_.profileTaken)
        hooks_.profileTaken(bytes, check.image);
    const std::optional<std::uint8_t> sent = reply(DriverStep::Load, check.reply());
    if (!sent) {
        closeConnection();
        return Served::Nothing; // the client was never told
    }
    if (!check.accepted() && *sent != kDriverSuccess)
        sendReasons(check.errors);
    return check.accepted() ? Served::ProfileTaken : Served::ProfileRefused;
}

void DriverServer::sendReasons(const std::vector<std::string>& reasons) {
    std::string message;
    for (const std::string& reason : reasons) {
        std::string line = std::string(platform::kRefusalLinePrefix) + reason;
        std::replace(line.begin(), line.end(), '\n', ' ');
        if (message.size() + line.size() + 1 > platform::kRefusalMessageLimit)
            break; // the first reasons are the ones that matter; the log has them all
        message += line + "\n";
    }
    if (!message.empty())
        message.pop_back();
    ::send(connection_, message.data(), message.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
}

std::optional<std::uint8_t> DriverServer::reply(DriverStep step, std::uint8_t natural) {
    sendByte(natural);
    log_ << "Step " << stepName(step) << ": answered " << signedValue(natural) << "." << std::endl;
    return natural;
}

void DriverServer::sendByte(std::uint8_t byte) {
    ::send(connection_, &byte, 1, MSG_NOSIGNAL | MSG_DONTWAIT);
}

} // namespace vantrel::driverserver
