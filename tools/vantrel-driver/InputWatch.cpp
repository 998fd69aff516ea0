#include "InputWatch.h"

#include "io/InputEventStreams.h"

#include <poll.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

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

// The same node, also when one of the two is a link such as /dev/input/by-id/...
bool samePath(const std::string& a, const std::string& b) {
    std::error_code error;
    return a == b || (std::filesystem::equivalent(a, b, error) && !error);
}

} // namespace

InputWatch::InputWatch(std::vector<std::string> configuredPaths, ControlMap map, std::ostream& log,
                       NoticeHandler notices)
    : configuredPaths_(std::move(configuredPaths)), map_(std::move(map)), log_(log),
      notices_(std::move(notices)) {}

bool InputWatch::needsDiscovery() const {
    return configuredPaths_.empty() ||
           std::any_of(configuredPaths_.begin(), configuredPaths_.end(),
                       [](const std::string& path) { return isKind(path, S_IFCHR); });
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
    const std::vector<std::string> paths = !configuredPaths_.empty() ? configuredPaths_
                                           : discovery_              ? discovery_->joysticks()
                                                                     : std::vector<std::string>{};
    for (const std::string& path : paths)
        open(path);
    if (devices_.empty() && discovery_)
        log_ << "vantrel-driver: waiting for a joystick to be plugged in" << std::endl;
}

bool InputWatch::isOpen(const std::string& path) const {
    return std::any_of(devices_.begin(), devices_.end(),
                       [&path](const Device& device) { return samePath(device.path, path); });
}

bool InputWatch::isConfigured(const std::string& path) const {
    return configuredPaths_.empty() || std::any_of(configuredPaths_.begin(), configuredPaths_.end(),
                                                   [&path](const std::string& configured) {
                                                       return samePath(configured, path);
                                                   });
}

bool InputWatch::open(const std::string& path) {
    std::string error;
    std::unique_ptr<InputEventStream> stream = openInputEventStream(path, true, error, notices_);
    if (!stream) {
        log_ << "vantrel-driver: cannot open " << path << ": " << error << std::endl;
        return false;
    }
    const std::string label = deviceLabelFor(map_, stream->identity());
    if (!drivesAnything(map_, label)) {
        log_ << "vantrel-driver: left alone: " << stream->describe()
             << " is none of the control map's devices" << std::endl;
        return false;
    }
    const std::string description = stream->describe();
    Device device{nextId_++, path, label.empty() ? path : label, nullptr};
    device.source =
        controlSourceForStream(std::move(stream), bindingsOf(map_, label), notices_, device.name);
    log_ << "vantrel-driver: input " << description << (label.empty() ? "" : " as " + label)
         << std::endl;
    devices_.push_back(std::move(device));
    return true;
}

std::vector<int> InputWatch::fds() const {
    std::vector<int> fds;
    for (const Device& device : devices_)
        fds.push_back(device.source->fd());
    if (discovery_ && discovery_->fd() >= 0)
        fds.push_back(discovery_->fd());
    return fds;
}

std::vector<std::string> InputWatch::devices() const {
    std::vector<std::string> held;
    for (const Device& device : devices_)
        held.push_back(device.source->describe());
    return held;
}

bool InputWatch::step(std::vector<player::ControlInput>& changes,
                      std::vector<ControlOrigin>& origins) {
    if (discovery_ && readable(discovery_->fd()))
        followChanges();
    tapped_.clear();
    bool kept = true;
    std::vector<std::string> reopen;
    const bool hadDevices = !devices_.empty();
    for (auto device = devices_.begin(); device != devices_.end();) {
        if (!readable(device->source->fd())) {
            ++device;
            continue;
        }
        deviceChanges_.clear();
        deviceOrigins_.clear();
        const bool alive = device->source->readControls(deviceChanges_, deviceOrigins_);
        if (tapping_)
            for (const input_event& event : device->source->lastEvents())
                tapped_.push_back({static_cast<std::size_t>(device->id), event});
        merge_.take(device->id, deviceChanges_, deviceOrigins_, changes, origins);
        if (alive) {
            ++device;
            continue;
        }
        log_ << "vantrel-driver: input lost: " << device->source->describe() << std::endl;
        merge_.drop(device->id, device->name, changes, origins);
        if (isKind(device->path, S_IFIFO))
            reopen.push_back(device->path);
        else if (discovery_)
            log_ << "vantrel-driver: waiting for " << device->name << " to be plugged in again"
                 << std::endl;
        device = devices_.erase(device);
        kept = false;
    }
    lostEverything_ = hadDevices && devices_.empty();
    for (const std::string& path : reopen)
        open(path);
    return kept;
}

void InputWatch::remap(ControlMap map, std::vector<player::ControlInput>& changes,
                       std::vector<ControlOrigin>& origins) {
    map_ = std::move(map);
    for (Device& device : devices_) {
        merge_.drop(device.id, device.name, changes, origins);
        const std::string label = deviceLabelFor(map_, device.source->stream().identity());
        device.name = label.empty() ? device.path : label;
        device.source->remap(bindingsOf(map_, label), device.name);
    }
}

void InputWatch::tap(bool on) {
    tapping_ = on;
    tapped_.clear();
}

std::vector<InputWatch::HeldStream> InputWatch::streams() const {
    std::vector<HeldStream> held;
    for (const Device& device : devices_)
        held.push_back({static_cast<std::size_t>(device.id), &device.source->stream()});
    return held;
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
        if (change.kind == JoystickChange::Kind::Added && !isOpen(change.devnode) &&
            isConfigured(change.devnode))
            open(change.devnode);
    }
}

} // namespace vantrel::driver
