#pragma once

#include "device/player/PlayerTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct libevdev;

namespace vantrel::driver {

// The two virtual devices the uinput output creates.
enum class VirtualDevice { KeyboardMouse, Joystick };

struct AbsSetup {
    unsigned code;
    int minimum;
    int maximum;
};

// What a virtual device announces: its name and every code it can send.
struct VirtualDeviceSetup {
    std::string name;
    std::vector<unsigned> keys;      // EV_KEY
    std::vector<unsigned> relatives; // EV_REL
    std::vector<AbsSetup> absolutes; // EV_ABS
};

// Every key of the HID usage table, mouse buttons left, right and middle, and moves on X and Y.
VirtualDeviceSetup keyboardMouseSetup();
// 64 buttons numbered in code order, six axes ABS_X .. ABS_RZ over kAxisMinimum..kAxisMaximum
// and four hats ABS_HAT0X/Y .. ABS_HAT3X/Y of -1..1.
VirtualDeviceSetup joystickSetup();

// The EV_KEY code of DirectX button 1..64: BTN_TRIGGER .. BTN_BASE6, then BTN_TRIGGER_HAPPY1 on,
// so that programs which number a joystick's buttons by code see them as 1..64. -1 beyond.
int joystickButtonCode(int button);

struct UinputEvent {
    VirtualDevice device;
    unsigned type;
    unsigned code;
    int value;
    bool operator==(const UinputEvent&) const = default;
};

// The events an action becomes, without the closing SYN_REPORT. Empty for an action no virtual
// device performs (a usage outside the table, a button or hat out of range).
std::vector<UinputEvent> uinputEvents(const player::OutputAction& action);

// A libevdev description with every code of the setup enabled, from which uinput creates the
// device.
struct LibevdevDeleter {
    void operator()(libevdev* device) const;
};
using LibevdevPointer = std::unique_ptr<libevdev, LibevdevDeleter>;
LibevdevPointer describeVirtualDevice(const VirtualDeviceSetup& setup);

} // namespace vantrel::driver
