#include "io/JoystickDiscovery.h"

#include "io/VirtualDeviceMark.h"

#include <libudev.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

namespace vantrel::driver {
namespace {

constexpr std::string_view kEventNodePrefix = "/dev/input/event";
// A burst of plug events is read in pieces so the caller's loop keeps running.
constexpr int kMaximumChangesPerRead = 256;

std::string_view text(const char* value) {
    return value ? std::string_view(value) : std::string_view();
}

// The event node's parent is the input device, which holds the name and physical location.
bool madeByAVantrelDriver(udev_device* device) {
    udev_device* input = udev_device_get_parent(device);
    return input && isVantrelVirtualDevice(text(udev_device_get_sysattr_value(input, "phys")),
                                           text(udev_device_get_sysattr_value(input, "name")));
}

bool isJoystickEventNode(udev_device* device) {
    const char* node = udev_device_get_devnode(device);
    const char* joystick = udev_device_get_property_value(device, "ID_INPUT_JOYSTICK");
    return node && std::string_view(node).starts_with(kEventNodePrefix) && joystick &&
           std::string_view(joystick) == "1" && !madeByAVantrelDriver(device);
}

// event2 before event10: by the number after the prefix.
bool byEventNumber(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

} // namespace

JoystickDiscovery::JoystickDiscovery(udev* context, udev_monitor* monitor, std::string monitorError)
    : udev_(context), monitor_(monitor), monitorError_(std::move(monitorError)) {}

JoystickDiscovery::~JoystickDiscovery() {
    if (monitor_)
        udev_monitor_unref(monitor_);
    udev_unref(udev_);
}

std::unique_ptr<JoystickDiscovery> JoystickDiscovery::open(std::string& error) {
    udev* context = udev_new();
    if (!context) {
        error = std::string("cannot reach udev: ") + std::strerror(errno);
        return nullptr;
    }
    std::string monitorError;
    udev_monitor* monitor = udev_monitor_new_from_netlink(context, "udev");
    if (!monitor) {
        monitorError = std::string("no hot-plug events from udev: ") + std::strerror(errno);
    } else if (udev_monitor_filter_add_match_subsystem_devtype(monitor, "input", nullptr) < 0 ||
               udev_monitor_enable_receiving(monitor) < 0) {
        monitorError = std::string("no hot-plug events from udev: ") + std::strerror(errno);
        udev_monitor_unref(monitor);
        monitor = nullptr;
    }
    return std::unique_ptr<JoystickDiscovery>(
        new JoystickDiscovery(context, monitor, std::move(monitorError)));
}

int JoystickDiscovery::fd() const {
    return monitor_ ? udev_monitor_get_fd(monitor_) : -1;
}

std::vector<std::string> JoystickDiscovery::joysticks() const {
    std::vector<std::string> nodes;
    udev_enumerate* enumeration = udev_enumerate_new(udev_);
    if (!enumeration)
        return nodes;
    udev_enumerate_add_match_subsystem(enumeration, "input");
    udev_enumerate_add_match_property(enumeration, "ID_INPUT_JOYSTICK", "1");
    udev_enumerate_scan_devices(enumeration);
    for (udev_list_entry* entry = udev_enumerate_get_list_entry(enumeration); entry;
         entry = udev_list_entry_get_next(entry)) {
        udev_device* device = udev_device_new_from_syspath(udev_, udev_list_entry_get_name(entry));
        if (!device)
            continue;
        if (isJoystickEventNode(device))
            nodes.emplace_back(udev_device_get_devnode(device));
        udev_device_unref(device);
    }
    udev_enumerate_unref(enumeration);
    std::sort(nodes.begin(), nodes.end(), byEventNumber);
    return nodes;
}

std::optional<std::string> JoystickDiscovery::firstJoystick() const {
    std::vector<std::string> nodes = joysticks();
    if (nodes.empty())
        return std::nullopt;
    return nodes.front();
}

bool JoystickDiscovery::readChanges(std::vector<JoystickChange>& changes) {
    if (!monitor_)
        return false;
    for (int count = 0; count < kMaximumChangesPerRead; ++count) {
        udev_device* device = udev_monitor_receive_device(monitor_);
        if (!device)
            break; // nothing more waiting (the monitor's socket does not block)
        const char* action = udev_device_get_action(device);
        if (action && isJoystickEventNode(device)) {
            const std::string_view what(action);
            if (what == "add")
                changes.push_back({JoystickChange::Kind::Added, udev_device_get_devnode(device)});
            else if (what == "remove")
                changes.push_back({JoystickChange::Kind::Removed, udev_device_get_devnode(device)});
        }
        udev_device_unref(device);
    }
    return true;
}

} // namespace vantrel::driver
