#include "MonitorServer.h"

#include "MonitorRecord.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace vantrel::driver {

MonitorServer::MonitorServer(std::string socketPath, std::function<std::string()> snapshot)
    : socketPath_(std::move(socketPath)), snapshot_(std::move(snapshot)) {}

MonitorServer::~MonitorServer() {
    for (const Client& client : clients_)
        ::close(client.fd);
    if (listener_ >= 0) {
        ::close(listener_);
        ::unlink(socketPath_.c_str());
    }
}

bool MonitorServer::listen(std::string& error) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath_.empty() || socketPath_.size() >= sizeof(address.sun_path)) {
        error = "the monitor socket path " + socketPath_ + " is empty or too long";
        return false;
    }
    std::memcpy(address.sun_path, socketPath_.c_str(), socketPath_.size() + 1);
    struct stat existing {};
    if (::lstat(socketPath_.c_str(), &existing) == 0) {
        if (!S_ISSOCK(existing.st_mode)) {
            error = socketPath_ + " exists and is not a socket; it is left alone";
            return false;
        }
        ::unlink(socketPath_.c_str());
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        error = std::string("cannot create a socket: ") + std::strerror(errno);
        return false;
    }
    const mode_t previousMask = ::umask(0077); // what the driver does is the user's own
    const bool bound =
        ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    const int bindError = errno;
    ::umask(previousMask);
    if (!bound || ::listen(fd, 8) != 0) {
        error = "cannot listen on " + socketPath_ + ": " + std::strerror(bound ? errno : bindError);
        ::close(fd);
        if (bound)
            ::unlink(socketPath_.c_str());
        return false;
    }
    listener_ = fd;
    return true;
}

void MonitorServer::addWaits(std::vector<pollfd>& waits) const {
    if (listener_ >= 0)
        waits.push_back({listener_, POLLIN, 0});
    for (const Client& client : clients_)
        waits.push_back(
            {client.fd, static_cast<short>(POLLIN | (client.queue.empty() ? 0 : POLLOUT)), 0});
}

void MonitorServer::step() {
    pollfd listener{listener_, POLLIN, 0};
    if (listener_ >= 0 && ::poll(&listener, 1, 0) > 0)
        accept();
    std::vector<std::pair<int, std::string>> requests;
    for (Client& client : clients_) {
        pollfd wait{client.fd, POLLIN, 0};
        if (::poll(&wait, 1, 0) > 0 && !readRequests(client, requests)) {
            ::close(client.fd);
            client.fd = -1;
        }
    }
    for (Client& client : clients_)
        if (client.fd >= 0 && !flush(client)) {
            ::close(client.fd);
            client.fd = -1;
        }
    closeGone();
    // The handlers may publish, which changes the clients: they are told last.
    for (const auto& [client, line] : requests)
        if (onRequest_)
            onRequest_(client, line);
    const std::vector<int> left = std::exchange(left_, {});
    for (const int client : left)
        if (onLeft_)
            onLeft_(client);
}

bool MonitorServer::readRequests(Client& client,
                                 std::vector<std::pair<int, std::string>>& requests) {
    char bytes[512];
    const ssize_t count = ::recv(client.fd, bytes, sizeof bytes, MSG_DONTWAIT);
    if (count < 0)
        return errno == EAGAIN || errno == EINTR;
    if (count == 0)
        return false;
    for (const char c : std::string_view(bytes, static_cast<std::size_t>(count))) {
        if (c == '\n') {
            if (!client.overlong)
                requests.emplace_back(client.id, std::move(client.request));
            client.request.clear();
            client.overlong = false;
        } else if (client.request.size() < kRequestLimit) {
            client.request += c;
        } else {
            client.overlong = true;
        }
    }
    return true;
}

void MonitorServer::accept() {
    for (;;) {
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0)
            return;
        ucred peer{};
        socklen_t length = sizeof peer;
        // Only the user who runs the driver (or the administrator) may watch it.
        if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0 ||
            (peer.uid != ::getuid() && peer.uid != 0)) {
            ::close(fd);
            continue;
        }
        if (clients_.size() >= kMaximumClients) {
            const std::string line =
                MonitorRecord("busy").field("clients", kMaximumClients).text() + "\n";
            ::send(fd, line.data(), line.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            ::close(fd);
            continue;
        }
        ::setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &kSocketBuffer, sizeof kSocketBuffer);
        Client& client = clients_.emplace_back();
        client.id = nextId_++;
        client.fd = fd;
        client.queue = snapshot_ ? snapshot_() : std::string();
        if (!flush(client)) {
            ::close(fd);
            clients_.pop_back();
        }
    }
}

bool MonitorServer::flush(Client& client) {
    while (!client.queue.empty()) {
        const ssize_t sent = ::send(client.fd, client.queue.data(), client.queue.size(),
                                    MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                break;
            return false;
        }
        client.queue.erase(0, static_cast<std::size_t>(sent));
    }
    if (client.dropped > 0 && client.queue.size() <= kQueueLimit / 2) {
        // The gap is told, then the state as it is now, before anything new.
        client.queue += MonitorRecord("dropped").field("records", client.dropped).text() + "\n";
        client.queue += snapshot_ ? snapshot_() : std::string();
        client.dropped = 0;
    }
    return true;
}

void MonitorServer::enqueue(Client& client, std::string_view line) {
    if (client.dropped > 0 || client.queue.size() + line.size() + 1 > kQueueLimit) {
        ++client.dropped;
        return;
    }
    client.queue.append(line).push_back('\n');
}

void MonitorServer::publish(std::string_view record) {
    for (Client& client : clients_) {
        if (client.fd < 0)
            continue;
        enqueue(client, record);
        if (!flush(client)) {
            ::close(client.fd);
            client.fd = -1;
        }
    }
    closeGone();
}

void MonitorServer::closeGone() {
    std::erase_if(clients_, [this](const Client& client) {
        if (client.fd >= 0)
            return false;
        left_.push_back(client.id);
        return true;
    });
}

} // namespace vantrel::driver
