#pragma once

#include <chrono>
#include <linux/input.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct libevdev;
struct libevdev_uinput;

namespace vantrel::test {

using std::chrono::milliseconds;

// What a fake USB device made through uinput offers.
struct FakeDeviceSetup {
    std::string name;
    int vendor = 0;
    int product = 0;
    std::vector<unsigned> buttons;
    std::vector<unsigned> axes; // over -32767..32767, so the driver's scaling keeps values
    int hats = 0;               // ABS_HAT0X/Y on
};

// A joystick as the kernel presents a generic one: the 14 buttons from BTN_TRIGGER, the six
// axes of the driver's generic map and four hats.
FakeDeviceSetup genericStick(const std::string& name);

// A joystick plugged in through /dev/uinput; unplugged when destroyed. The constructor
// returns once udev has taken the device in, as the driver's discovery reads udev.
class FakeDevice {
public:
    explicit FakeDevice(const FakeDeviceSetup& setup);
    ~FakeDevice();
    FakeDevice(const FakeDevice&) = delete;
    FakeDevice& operator=(const FakeDevice&) = delete;

    const std::string& devnode() const { return devnode_; }
    // One change and its SYN_REPORT.
    void press(unsigned code, bool down) { send(EV_KEY, code, down ? 1 : 0); }
    void move(unsigned code, int value) { send(EV_ABS, code, value); }
    void send(unsigned type, unsigned code, int value);
    // CLOCK_MONOTONIC just before the last change was written, in milliseconds: the kernel
    // stamps the change a little later, so times measured from here are upper bounds.
    double lastSentMs() const { return lastSentMs_; }

private:
    libevdev_uinput* device_ = nullptr;
    std::string devnode_;
    double lastSentMs_ = 0;
};

// Reads an input device by its name, as a game reads the driver's virtual devices, with the
// kernel's own CLOCK_MONOTONIC event times.
class DeviceReader {
public:
    // Waits up to `wait` for a device of that name; nothing if none appears.
    static std::unique_ptr<DeviceReader> open(const std::string& name,
                                              milliseconds wait = milliseconds(10000));
    ~DeviceReader();
    DeviceReader(const DeviceReader&) = delete;
    DeviceReader& operator=(const DeviceReader&) = delete;

    // The next event, SYN_REPORT included; nothing when none came in time or the device went.
    std::optional<input_event> next(milliseconds timeout = milliseconds(5000));
    // Waits until something can be read (an event, or the device's removal), reading nothing.
    bool waitReadable(milliseconds timeout = milliseconds(5000));
    // Skips events until one of type and code (and value, when given) arrives.
    std::optional<input_event> waitFor(unsigned type, unsigned code,
                                       std::optional<int> value = std::nullopt,
                                       milliseconds timeout = milliseconds(5000));
    // Every event that arrives within quiet of the one before.
    std::vector<input_event> drain(milliseconds quiet = milliseconds(300));
    // The device was removed (reads answered ENODEV).
    bool gone() const { return gone_; }
    libevdev* device() const { return device_; }

private:
    DeviceReader(int fd, libevdev* device) : fd_(fd), device_(device) {}
    int fd_;
    libevdev* device_;
    bool gone_ = false;
};

inline constexpr const char* kVirtualJoystick = "Vantrel virtual joystick";
inline constexpr const char* kVirtualKeyboardMouse = "Vantrel virtual keyboard and mouse";

// An event's kernel time, and CLOCK_MONOTONIC now, in milliseconds.
double eventMilliseconds(const input_event& event);
double monotonicMilliseconds();
// "EV_KEY KEY_K 1" for failure messages.
std::string describe(const input_event& event);

} // namespace vantrel::test
