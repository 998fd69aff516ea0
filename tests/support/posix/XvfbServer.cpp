#include "support/posix/XvfbServer.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vantrel::test {
namespace {

std::string findProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    const std::string folders = path ? path : "/usr/bin:/bin";
    for (std::size_t at = 0; at <= folders.size();) {
        const std::size_t end = std::min(folders.find(':', at), folders.size());
        const std::string candidate = folders.substr(at, end - at) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        at = end + 1;
    }
    return {};
}

} // namespace

XvfbServer::~XvfbServer() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
}

bool XvfbServer::start(std::string& problem) {
    const std::string program = findProgram("Xvfb");
    if (program.empty()) {
        problem = "Xvfb is not installed";
        return false;
    }
    int fds[2] = {-1, -1};
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        problem = "no pipe";
        return false;
    }
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(fds[1], 3); // -displayfd names this descriptor; dup2 clears close-on-exec
        ::execl(program.c_str(), "Xvfb", "-displayfd", "3", "-nolisten", "tcp", "-screen", "0",
                "800x600x24", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    // The server writes its display number and a newline once it accepts clients.
    std::string number;
    char c = 0;
    pollfd readable{fds[0], POLLIN, 0};
    while (::poll(&readable, 1, 20000) == 1 && ::read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    ::close(fds[0]);
    if (number.empty()) {
        problem = "Xvfb did not start";
        return false;
    }
    display_ = ":" + number;
    return true;
}

} // namespace vantrel::test
