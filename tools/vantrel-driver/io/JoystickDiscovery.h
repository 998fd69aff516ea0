#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct udev;
struct udev_monitor;

namespace vantrel::driver {

struct JoystickChange {
    enum class Kind { Added, Removed };
    Kind kind = Kind::Added;
    std::string devnode; // /dev/input/eventN
    bool operator==(const JoystickChange&) const = default;
};

// Finds joysticks (event nodes that udev marks ID_INPUT_JOYSTICK=1) and follows them being
// plugged in and out, so the driver can wait for its stick and take it back after a re-plug.
class JoystickDiscovery {
public:
    // Nothing, with the reason in error, when udev cannot be reached.
    static std::unique_ptr<JoystickDiscovery> open(std::string& error);
    ~JoystickDiscovery();
    JoystickDiscovery(const JoystickDiscovery&) = delete;
    JoystickDiscovery& operator=(const JoystickDiscovery&) = delete;

    // Readable when hot-plug events wait; -1 where udev sends none (monitorError() says why).
    int fd() const;
    const std::string& monitorError() const { return monitorError_; }

    // The joysticks present now, by event number (event2 before event10).
    std::vector<std::string> joysticks() const;
    std::optional<std::string> firstJoystick() const;

    // Appends the joysticks added and removed since the last call. False if the monitor failed.
    bool readChanges(std::vector<JoystickChange>& changes);

private:
    JoystickDiscovery(udev* context, udev_monitor* monitor, std::string monitorError);

    udev* udev_;
    udev_monitor* monitor_;
    std::string monitorError_;
};

} // namespace vantrel::driver
