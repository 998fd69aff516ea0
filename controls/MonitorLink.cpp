#include "controls/MonitorLink.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace vantrel {

MonitorLink::MonitorLink(QString monitorPath, QObject* parent)
    : QObject(parent), path_(std::move(monitorPath)) {
    retry_.setInterval(kRetryMilliseconds);
    retry_.setSingleShot(true);
    connect(&retry_, &QTimer::timeout, this, &MonitorLink::tryConnect);
    if (!path_.isEmpty())
        QTimer::singleShot(0, this, &MonitorLink::tryConnect);
}

MonitorLink::~MonitorLink() {
    closeSocket();
}

void MonitorLink::tryConnect() {
    if (fd_ >= 0)
        return;
    pending_.clear();
    const QByteArray path = path_.toLocal8Bit();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    // A local connect is answered at once: taken, or refused because no driver listens.
    if (fd < 0 || std::size_t(path.size()) >= sizeof address.sun_path) {
        if (fd >= 0)
            ::close(fd);
        lost(false);
        return;
    }
    std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        lost(false);
        return;
    }
    fd_ = fd;
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &MonitorLink::readLines);
    Q_EMIT connectedChanged(true);
}

void MonitorLink::readLines() {
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, sizeof buffer);
        if (got > 0) {
            pending_.append(buffer, std::size_t(got));
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        // The end of the stream, or a broken one: the driver went away.
        closeSocket();
        break;
    }
    std::size_t start = 0;
    for (std::size_t end; (end = pending_.find('\n', start)) != std::string::npos;
         start = end + 1) {
        if (const std::optional<MonitorLine> record =
                readMonitorLine(std::string_view(pending_).substr(start, end - start)))
            Q_EMIT recordArrived(*record);
    }
    pending_.erase(0, start);
    if (fd_ < 0)
        lost(true);
}

bool MonitorLink::send(const std::string& line) {
    if (fd_ < 0)
        return false;
    const std::string whole = line + '\n';
    // A request is far smaller than the socket's buffer: it is taken whole or not at all.
    const ssize_t sent = ::send(fd_, whole.data(), whole.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    return sent == ssize_t(whole.size());
}

void MonitorLink::closeSocket() {
    if (fd_ < 0)
        return;
    delete notifier_;
    notifier_ = nullptr;
    ::close(fd_);
    fd_ = -1;
}

void MonitorLink::lost(bool wasConnected) {
    if (wasConnected)
        Q_EMIT connectedChanged(false);
    else
        Q_EMIT stillAbsent();
    if (!retry_.isActive())
        retry_.start();
}

} // namespace vantrel
