#include "MonitorClient.h"

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace vantrel::driver {
namespace {

// A connected socket, or -1 with errno set.
int connectTo(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof(address.sun_path)) {
        errno = ENAMETOOLONG;
        return -1;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    int result;
    do {
        result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

} // namespace

int watchMonitor(const std::string& socketPath, std::ostream& out, std::ostream& err) {
    const int fd = connectTo(socketPath);
    if (fd < 0) {
        err << "vantrel-driver: no driver is running: nothing answers at " << socketPath << " ("
            << std::strerror(errno) << ").\n"
            << "Start it with: systemctl --user start vantrel-driver\n";
        return 1;
    }
    ucred peer{};
    socklen_t length = sizeof peer;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0 ||
        (peer.uid != ::getuid() && peer.uid != 0)) {
        ::close(fd);
        err << "vantrel-driver: " << socketPath
            << " belongs to another user; it is not the driver you started\n";
        return 1;
    }
    char buffer[8192];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        out.write(buffer, count);
        out.flush();
    }
    ::close(fd);
    err << "vantrel-driver: the driver has stopped\n";
    return 0;
}

} // namespace vantrel::driver
