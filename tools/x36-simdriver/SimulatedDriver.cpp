#include "SimulatedDriver.h"

#include "DeviceProfileAccount.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <vector>

namespace vantrel::simdriver {
namespace {

driverserver::DriverServerHooks accountHooks(std::ostream& out) {
    driverserver::DriverServerHooks hooks;
    hooks.profileReceived = [&out](std::size_t received, const ProfileCheck& check) {
        out << "Profile received: " << received << " bytes." << std::endl;
        out << describeDeviceProfile(check) << std::flush;
    };
    return hooks;
}

} // namespace

SimulatedDriver::SimulatedDriver(SimDriverOptions options, std::ostream& out)
    : options_(std::move(options)),
      server_(options_.socketPath, out, accountHooks(out), options_.replies) {}

bool SimulatedDriver::listen() {
    return server_.listen();
}

SimulatedDriver::Outcome SimulatedDriver::serve(int stopFd) {
    std::vector<pollfd> waits;
    for (;;) {
        waits.clear();
        for (int fd : server_.fds())
            waits.push_back({fd, POLLIN, 0});
        waits.push_back({stopFd, POLLIN, 0});
        if (::poll(waits.data(), waits.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            error_ = std::string("poll failed: ") + std::strerror(errno);
            return Outcome::Failed;
        }
        if (waits.back().revents) {
            server_.closeConnection();
            return Outcome::Stopped;
        }
        const driverserver::DriverServer::Served served = server_.step();
        if (served == driverserver::DriverServer::Served::Nothing || !options_.once)
            continue;
        server_.closeConnection();
        return served == driverserver::DriverServer::Served::ProfileTaken ? Outcome::ProfileTaken
                                                                          : Outcome::ProfileRefused;
    }
}

} // namespace vantrel::simdriver
