#pragma once

#include "io/ControlMap.h"
#include "io/DriverIo.h"
#include "io/JoystickDiscovery.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace vantrel::driver {

// Keeps the driver's joystick open: the one named on the command line or the first that udev
// finds, taken again when it is plugged back in. A pipe is opened again when its writer has
// gone, so another writer can follow; a plain file (a recording) is read once.
class InputWatch {
public:
    InputWatch(std::string configuredPath, ControlMap map, std::ostream& log,
               NoticeHandler notices);

    void start();
    // The descriptors to wait on for reading.
    std::vector<int> fds() const;
    // Reads whatever is ready, without waiting, and appends the changes and, for each, where
    // it came from. Returns false when the joystick was lost just now: whatever it held must
    // be let go.
    bool step(std::vector<player::ControlInput>& changes, std::vector<ControlOrigin>& origins);
    bool connected() const { return source_ != nullptr; }
    // The devices held now, each by its path and name.
    std::vector<std::string> devices() const;

private:
    bool open(const std::string& path);
    void followChanges();
    bool reopensAtOnce() const;
    bool needsDiscovery() const;

    std::string configuredPath_;
    ControlMap map_;
    std::ostream& log_;
    NoticeHandler notices_;
    std::unique_ptr<ControlSource> source_;
    std::string sourcePath_;
    std::unique_ptr<JoystickDiscovery> discovery_;
};

} // namespace vantrel::driver
