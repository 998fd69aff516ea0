#include "InputWatch.h"

#include <poll.h>
#include <sys/stat.h>

namespace vantrel::driver {
namespace {

bool readable(int fd) {
    pollfd wait{fd, POLLIN, 0};
    return fd >= 0 && ::poll(&wait, 1, 0) > 0 && wait.revents != 0;
}

bool isKind(const std::string& path, mode_t kind) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == kind;
}

} // namespace

InputWatch::InputWatch(std::string configuredPath, ControlMap map, std::ostream& log,
                       NoticeHandler notices)
    : configuredPath_(std::move(configuredPath)), map_(map), log_(log),
      notices_(std::move(notices)) {}

bool InputWatch::needsDiscovery() const {
    return configuredPath_.empty() || isKind(configuredPath_, S_IFCHR);
}

bool InputWatch::reopensAtOnce() const {
    return isKind(sourcePath_, S_IFIFO);
}

void InputWatch::start() {
    if (needsDiscovery()) {
        std::string error;
        discovery_ = JoystickDiscovery::open(error);
        if (!discovery_)
            log_ << "vantrel-driver: no joystick discovery: " << error << std::endl;
        else if (discovery_->fd() < 0)
            log_ << "vantrel-driver: a joystick plugged in later is not seen: "
                 << discovery_->monitorError() << std::endl;
    }
    if (!configuredPath_.empty()) {
        open(configuredPath_);
        return;
    }
    const std::optional<std::string> first =
        discovery_ ? discovery_->firstJoystick() : std::nullopt;
    if (!first || !open(*first))
        log_ << "vantrel-driver: waiting for a joystick to be plugged in" << std::endl;
}

bool InputWatch::open(const std::string& path) {
    std::string error;
    source_ = openControlSource(path, map_, error, notices_);
    if (!source_) {
        log_ << "vantrel-driver: cannot open " << path << ": " << error << std::endl;
        return false;
    }
    sourcePath_ = path;
    log_ << "vantrel-driver: input " << source_->describe() << std::endl;
    return true;
}

std::vector<int> InputWatch::fds() const {
    std::vector<int> fds;
    if (source_)
        fds.push_back(source_->fd());
    if (discovery_ && discovery_->fd() >= 0)
        fds.push_back(discovery_->fd());
    return fds;
}

std::vector<std::string> InputWatch::devices() const {
    if (!source_)
        return {};
    return {source_->describe()};
}

bool InputWatch::step(std::vector<player::ControlInput>& changes,
                      std::vector<ControlOrigin>& origins) {
    if (discovery_ && readable(discovery_->fd()))
        followChanges();
    if (!source_ || !readable(source_->fd()))
        return true;
    const std::size_t first = origins.size();
    const bool alive = source_->readControls(changes, origins);
    for (std::size_t i = first; i < origins.size(); ++i)
        origins[i].device = sourcePath_;
    if (alive)
        return true;
    log_ << "vantrel-driver: input lost: " << source_->describe() << std::endl;
    source_.reset();
    if (reopensAtOnce())
        open(sourcePath_);
    else if (discovery_)
        log_ << "vantrel-driver: waiting for the joystick to be plugged in again" << std::endl;
    return false;
}

void InputWatch::followChanges() {
    std::vector<JoystickChange> changes;
    if (!discovery_->readChanges(changes)) {
        // A monitor that keeps failing would keep the loop awake: do without it.
        log_ << "vantrel-driver: joystick discovery failed; a re-plugged joystick is not seen"
             << std::endl;
        discovery_.reset();
        return;
    }
    for (const JoystickChange& change : changes) {
        if (change.kind != JoystickChange::Kind::Added || source_)
            continue;
        if (configuredPath_.empty() || change.devnode == configuredPath_)
            open(change.devnode);
    }
}

} // namespace vantrel::driver
