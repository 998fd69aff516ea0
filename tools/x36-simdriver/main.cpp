// x36-simdriver: a stand-in for the X36 programming driver on machines without one.
#include "Background.h"
#include "SimDriverOptions.h"
#include "SimulatedDriver.h"

#include "platform/posix/PosixDriverConnection.h"

#include <csignal>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

namespace {

int stopPipe[2] = {-1, -1};

// Only the write end of a pipe is touched here, which is safe in a signal handler.
extern "C" void requestStop(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(stopPipe[1], &byte, 1);
}

bool installStopHandlers() {
    if (::pipe2(stopPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    std::signal(SIGPIPE, SIG_IGN);
    return sigaction(SIGINT, &action, nullptr) == 0 && sigaction(SIGTERM, &action, nullptr) == 0 &&
           sigaction(SIGHUP, &action, nullptr) == 0;
}

} // namespace

int main(int argc, char** argv) {
    using namespace vantrel::simdriver;
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const ParsedOptions parsed =
        parseSimDriverOptions(arguments, vantrel::platform::defaultDriverSocketPath());
    if (!parsed.error.empty()) {
        std::cerr << "x36-simdriver: " << parsed.error << "\n" << simDriverUsage();
        return 2;
    }
    if (parsed.options.help) {
        std::cout << simDriverUsage();
        return 0;
    }
    if (parsed.options.version) {
        std::cout << "x36-simdriver " << VANTREL_VERSION << "\n";
        return 0;
    }
    if (!installStopHandlers()) {
        std::cerr << "x36-simdriver: cannot set up the stop signal\n";
        return 1;
    }
    SimulatedDriver driver(parsed.options, std::cout);
    if (!driver.listen()) {
        std::cerr << "x36-simdriver: " << driver.error() << "\n";
        return 1;
    }
    std::string error;
    if (parsed.options.background &&
        !vantrel::driverserver::continueInBackground("x36-simdriver", error)) {
        std::cerr << "x36-simdriver: " << error << "\n";
        return 1;
    }
    switch (driver.serve(stopPipe[0])) {
    case SimulatedDriver::Outcome::Stopped:
        std::cout << "x36-simdriver: stopped." << std::endl;
        return 0;
    case SimulatedDriver::Outcome::ProfileTaken:
        return 0;
    case SimulatedDriver::Outcome::ProfileRefused:
        return 3;
    case SimulatedDriver::Outcome::Failed:
        break;
    }
    std::cerr << "x36-simdriver: " << driver.error() << "\n";
    return 1;
}
