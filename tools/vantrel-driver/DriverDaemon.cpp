#include "DriverDaemon.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <sys/signalfd.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace vantrel::driver {
namespace {

std::string counted(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

sigset_t stopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

} // namespace

std::string profileCounts(const DeviceProfileImage& image) {
    return counted(image.scripts.size(), "script", "scripts") + ", " +
           counted(image.configurations.size(), "mode", "modes") + ", " +
           counted(image.chains.size(), "chain", "chains");
}

DriverDaemon::DriverDaemon(DaemonSetup setup, player::OutputSink& output, std::ostream& log)
    : store_(setup.keptProfile), listening_(std::move(setup.listening)), log_(log),
      sink_(output, log), monitor_(setup.monitorSocketPath, setup.outputName, sink_),
      player_(monitor_, setup.playerOptions),
      server_("vantrel-driver", setup.socketPath, log,
              driverserver::DriverServerHooks{
                  .profileReceived =
                      [this](std::size_t, const ProfileCheck& check) {
                          if (!check.accepted())
                              refuseProfile(check);
                      },
                  .profileTaken =
                      [this](std::span<const std::uint8_t> bytes, const DeviceProfileImage& image) {
                          takeProfile(bytes, image);
                      },
                  .cleared = [this] { clearPending_ = true; },
                  .connectionClosed = [this] { endConnection(); }}),
      input_(std::move(setup.devicePaths), setup.map, log,
             [&log](std::string_view line) { log << "vantrel-driver: " << line << std::endl; }),
      learning_(std::move(setup.mapPath), input_, monitor_, log),
      start_(std::chrono::steady_clock::now()) {
    monitor_.server().setRequestHandler(
        [this](int client, std::string_view line) { learning_.request(client, line); });
    monitor_.server().setLeftHandler([this](int client) { learning_.clientLeft(client); });
}

DriverDaemon::~DriverDaemon() {
    if (timerFd_ >= 0)
        ::close(timerFd_);
    if (signalFd_ >= 0)
        ::close(signalFd_);
}

player::Time DriverDaemon::now() const {
    return std::chrono::duration_cast<player::Time>(std::chrono::steady_clock::now() - start_);
}

bool DriverDaemon::setUpDescriptors() {
    // The stop signals arrive through a descriptor, so the loop sees them between two steps.
    const sigset_t signals = stopSignals();
    if (::sigprocmask(SIG_BLOCK, &signals, nullptr) != 0 ||
        (signalFd_ = ::signalfd(-1, &signals, SFD_CLOEXEC | SFD_NONBLOCK)) < 0 ||
        (timerFd_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK)) < 0) {
        log_ << "vantrel-driver: " << std::strerror(errno) << std::endl;
        return false;
    }
    std::signal(SIGPIPE, SIG_IGN);
    return true;
}

void DriverDaemon::loadKeptProfile() {
    std::string error;
    const std::optional<std::vector<std::uint8_t>> bytes = store_.read(error);
    if (!bytes) {
        if (!error.empty())
            log_ << "vantrel-driver: kept profile not loaded: " << error << std::endl;
        return;
    }
    // Checked again: the file may have been edited or damaged since it was kept.
    const ProfileCheck check = checkDeviceProfile(*bytes);
    if (!check.accepted()) {
        log_ << "vantrel-driver: kept profile " << store_.path().string() << " refused:";
        for (const std::string& reason : check.errors)
            log_ << " " << reason;
        log_ << std::endl;
        return;
    }
    sink_.forgetNotes();
    player_.load(check.image, now());
    monitor_.profileLoaded(check.image, *bytes, "kept");
    log_ << "vantrel-driver: kept profile loaded from " << store_.path().string() << ": "
         << profileCounts(check.image) << std::endl;
}

void DriverDaemon::takeProfile(std::span<const std::uint8_t> bytes,
                               const DeviceProfileImage& image) {
    clearPending_ = false;
    sink_.forgetNotes();
    player_.load(image, now());
    monitor_.profileLoaded(image, bytes, "client");
    log_ << "vantrel-driver: profile loaded: " << profileCounts(image) << std::endl;
    std::string error;
    if (!store_.keep(bytes, error))
        log_ << "vantrel-driver: profile not kept for the next start: " << error << std::endl;
}

void DriverDaemon::refuseProfile(const ProfileCheck& check) {
    clearPending_ = false;
    log_ << "vantrel-driver: profile refused (reply " << static_cast<int>(check.reply()) << "):";
    for (const std::string& reason : check.errors)
        log_ << " " << reason;
    log_ << (player_.hasProfile() ? "; the previous profile stays active" : "") << std::endl;
    monitor_.profileRefused(check);
}

void DriverDaemon::endConnection() {
    if (clearPending_)
        clearProfile();
    clearPending_ = false;
}

void DriverDaemon::clearProfile() {
    player_.clear(now());
    monitor_.profileCleared();
    // The device's clear empties its profile memory; the kept copy stands for that memory.
    std::string error;
    if (!store_.forget(error))
        log_ << "vantrel-driver: " << error << std::endl;
    log_ << "vantrel-driver: profile cleared" << std::endl;
}

void DriverDaemon::armTimer() {
    itimerspec when{};
    if (const std::optional<player::Time> due = player_.nextDue()) {
        const auto at = start_ + std::max(*due, player::Time(1));
        const auto since =
            std::chrono::duration_cast<std::chrono::nanoseconds>(at.time_since_epoch());
        when.it_value.tv_sec = static_cast<time_t>(since.count() / 1000000000);
        when.it_value.tv_nsec = static_cast<long>(since.count() % 1000000000);
    }
    // A zero value disarms the timer: nothing is due while no script plays.
    ::timerfd_settime(timerFd_, TFD_TIMER_ABSTIME, &when, nullptr);
}

void DriverDaemon::passOn(std::size_t from, bool learning) {
    for (std::size_t c = from; c < changes_.size(); ++c) {
        if (c < origins_.size())
            monitor_.controlChanged(changes_[c], origins_[c]);
        if (!learning || changes_[c].kind == player::ControlInput::Kind::Axis ||
            changes_[c].value == 0)
            player_.input(changes_[c], now());
    }
}

void DriverDaemon::serveInput() {
    changes_.clear();
    origins_.clear();
    // A device lost brings the releases of what it held, so their release scripts start.
    const bool kept = input_.step(changes_, origins_);
    monitor_.devicesHeld(input_.devices());
    // While a control is learnt, presses do not play: the one learnt is meant for the map.
    const bool learning = learning_.active();
    passOn(0, learning);
    if (learning) {
        // A control caught remaps the devices, which releases what they held.
        const std::size_t before = changes_.size();
        learning_.take(input_.tapped(), changes_, origins_);
        passOn(before, false);
    }
    // With no device left, everything still running or held is stopped, so nothing stays
    // pressed; while another device plays on, what it holds stays held.
    if (!kept && input_.lostEverything())
        player_.releaseAll(now());
}

int DriverDaemon::run() {
    if (!setUpDescriptors())
        return 1;
    if (!server_.listen()) {
        log_ << "vantrel-driver: " << server_.error() << std::endl;
        return 1;
    }
    std::string monitorError;
    if (!monitor_.listen(monitorError))
        log_ << "vantrel-driver: no monitor stream: " << monitorError << std::endl;
    if (listening_ && !listening_())
        return 1;
    loadKeptProfile();
    input_.start();
    monitor_.devicesHeld(input_.devices());
    std::vector<pollfd> waits;
    for (;;) {
        waits.clear();
        waits.push_back({signalFd_, POLLIN, 0});
        waits.push_back({timerFd_, POLLIN, 0});
        for (int fd : server_.fds())
            waits.push_back({fd, POLLIN, 0});
        const std::size_t firstMonitor = waits.size();
        monitor_.server().addWaits(waits);
        const std::size_t firstInput = waits.size();
        for (int fd : input_.fds())
            waits.push_back({fd, POLLIN, 0});
        if (::poll(waits.data(), waits.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            log_ << "vantrel-driver: poll failed: " << std::strerror(errno) << std::endl;
            player_.releaseAll(now());
            return 1;
        }
        if (waits[0].revents)
            break;
        if (waits[1].revents) {
            std::uint64_t expirations = 0;
            [[maybe_unused]] const ssize_t ignored =
                ::read(timerFd_, &expirations, sizeof expirations);
            player_.advance(now());
        }
        for (std::size_t i = 2; i < firstMonitor; ++i)
            if (waits[i].revents)
                server_.step();
        for (std::size_t i = firstMonitor; i < firstInput; ++i)
            if (waits[i].revents) {
                monitor_.server().step();
                break;
            }
        for (std::size_t i = firstInput; i < waits.size(); ++i)
            if (waits[i].revents) {
                serveInput();
                break;
            }
        armTimer();
    }
    player_.releaseAll(now());
    log_ << "vantrel-driver: stopped" << std::endl;
    return 0;
}

} // namespace vantrel::driver
