#pragma once

#include "io/ControlCatch.h"
#include "io/ControlMap.h"
#include "io/ControlMerge.h"
#include "io/DriverIo.h"
#include "io/JoystickDiscovery.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace vantrel::driver {

// Keeps the driver's joysticks open, all playing as one X36: those named on the command line,
// or every joystick udev finds, each taken again when it is plugged back in. A pipe is opened
// again when its writer has gone, so another writer can follow; a plain file (a recording) is
// read once. Each device sees the bindings the control map gives it.
class InputWatch {
public:
    InputWatch(std::vector<std::string> configuredPaths, ControlMap map, std::ostream& log,
               NoticeHandler notices);

    void start();
    // The descriptors to wait on for reading.
    std::vector<int> fds() const;
    // Reads whatever is ready, without waiting, and appends the changes with one origin each.
    // Returns false when a device was lost just now; the releases of what it held are among
    // the changes.
    bool step(std::vector<player::ControlInput>& changes, std::vector<ControlOrigin>& origins);
    // Whether any device is open.
    bool connected() const { return !devices_.empty(); }
    // Whether the last step lost every device that was open before it (a pipe opened again at
    // once counts as lost): nothing plays on that could still hold anything.
    bool lostEverything() const { return lostEverything_; }
    // The devices held now, each by its path and name.
    std::vector<std::string> devices() const;

    const ControlMap& map() const { return map_; }
    // Maps every device by another map from now on. What the devices held counts as released:
    // those releases are appended to the changes.
    void remap(ControlMap map, std::vector<player::ControlInput>& changes,
               std::vector<ControlOrigin>& origins);

    // While tapped, each step keeps the raw events it read, by the number of their device.
    void tap(bool on);
    const std::vector<SourcedEvent>& tapped() const { return tapped_; }
    struct HeldStream {
        std::size_t device;
        const InputEventStream* stream;
    };
    std::vector<HeldStream> streams() const;

private:
    struct Device {
        int id = 0;
        std::string path;
        std::string name; // the map's label, else the path
        std::unique_ptr<ControlSource> source;
    };

    bool open(const std::string& path);
    bool isOpen(const std::string& path) const;
    bool isConfigured(const std::string& path) const;
    void followChanges();
    bool needsDiscovery() const;

    std::vector<std::string> configuredPaths_;
    ControlMap map_;
    std::ostream& log_;
    NoticeHandler notices_;
    std::vector<Device> devices_;
    int nextId_ = 0;
    bool lostEverything_ = false;
    bool tapping_ = false;
    std::vector<SourcedEvent> tapped_;
    ControlMerge merge_;
    std::vector<player::ControlInput> deviceChanges_;
    std::vector<ControlOrigin> deviceOrigins_;
    std::unique_ptr<JoystickDiscovery> discovery_;
};

} // namespace vantrel::driver
