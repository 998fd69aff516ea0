#pragma once

#include "devicefile/DeviceFormat.h"

#include <chrono>
#include <cstdint>
#include <string_view>

namespace vantrel::player {

// Time as the player sees it: since an arbitrary start, given by whoever drives the player,
// so a test can run it on a virtual clock.
using Time = std::chrono::microseconds;

// The X36's controls in the order the device numbers them (buttonCode, hatCode).
using vantrel::kAxisCount;
using vantrel::kButtonCount;
using vantrel::kHatCount;
using vantrel::kHatDirectionCount;
inline constexpr int kAxisMinimum = -32767;
inline constexpr int kAxisMaximum = 32767;

// One change of a physical control, already mapped to the X36's controls.
struct ControlInput {
    enum class Kind : std::uint8_t { Button, Hat, Axis };
    Kind kind = Kind::Button;
    int index = 0; // button 0..13, hat 0..3, axis 0..5
    int value = 0; // button 0 up / 1 down; hat direction 0..8; axis kAxisMinimum..kAxisMaximum
    bool operator==(const ControlInput&) const = default;
};

// One thing the computer is to receive.
struct OutputAction {
    enum class Kind : std::uint8_t {
        KeyDown,         // code: USB HID keyboard usage
        KeyUp,           // code: USB HID keyboard usage
        JoyButtonDown,   // code: DirectX button 1..64
        JoyButtonUp,     // code: DirectX button 1..64
        MouseButtonDown, // code: 1 left, 2 right, 3 middle
        MouseButtonUp,   // code: 1 left, 2 right, 3 middle
        MouseMoveX,      // value: positive right
        MouseMoveY,      // value: positive down
        JoyHat,          // code: hat 0..3 of the virtual joystick; value: direction 0..8
        JoyAxis,         // code: axis 0..5; value: kAxisMinimum..kAxisMaximum
    };
    Kind kind = Kind::KeyDown;
    int code = 0;
    int value = 0;
    bool operator==(const OutputAction&) const = default;
};

// Where the player's actions go: a virtual device, an X server, or a timeline on stdout.
class OutputSink {
public:
    virtual ~OutputSink() = default;
    virtual void emit(const OutputAction& action, Time at) = 0;
    // A line for the log: a mode switch, an unknown code. Ignored unless a sink wants it.
    virtual void note(std::string_view /*line*/) {}

    // What the player made of the controls, for a sink that shows it live (the driver's
    // monitor); each is told at the time it happened. A script started, in the configuration
    // that was active then.
    virtual void scriptStarted(int /*script*/, int /*configuration*/, Time /*at*/) {}
    // A press (a button down, a hat off center) that the active configuration binds no
    // script to, not even through DEFAULT.
    virtual void unassignedPress(const ControlInput& /*control*/, int /*configuration*/,
                                 Time /*at*/) {}
    // A load-mode event made another configuration the active one.
    virtual void modeSwitched(int /*from*/, int /*to*/, Time /*at*/) {}
};

} // namespace vantrel::player
