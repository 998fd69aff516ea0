#pragma once

#include "io/UinputLayout.h"

#include <memory>
#include <string>

struct libevdev_uinput;

namespace vantrel::driver {

struct UinputDeleter {
    void operator()(libevdev_uinput* device) const;
};
using UinputPointer = std::unique_ptr<libevdev_uinput, UinputDeleter>;

// Creates a virtual device through /dev/uinput; nothing, with the reason in error, where the
// kernel offers no uinput or refuses.
UinputPointer createVirtualDevice(const VirtualDeviceSetup& setup, std::string& error);

} // namespace vantrel::driver
