#include "KernelDevices.h"

#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>
#include <libudev.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <thread>
#include <time.h>
#include <unistd.h>

namespace vantrel::test {
namespace {

using Clock = std::chrono::steady_clock;

// Until udev has run its rules for the node, ID_INPUT_JOYSTICK is not in its database yet.
void waitForUdev(const std::string& devnode) {
    struct stat status {};
    udev* context = udev_new();
    const auto until = Clock::now() + milliseconds(10000);
    bool initialized = false;
    while (context && !initialized && Clock::now() < until) {
        if (::stat(devnode.c_str(), &status) == 0) {
            udev_device* device = udev_device_new_from_devnum(context, 'c', status.st_rdev);
            initialized = device && udev_device_get_is_initialized(device) > 0;
            if (device)
                udev_device_unref(device);
        }
        if (!initialized)
            std::this_thread::sleep_for(milliseconds(10));
    }
    if (context)
        udev_unref(context);
    if (!initialized)
        throw std::runtime_error("udev did not take in " + devnode);
}

} // namespace

FakeDeviceSetup genericStick(const std::string& name) {
    FakeDeviceSetup setup{
        name, 0x1d50, 0x6036, {}, {ABS_X, ABS_Y, ABS_Z, ABS_RX, ABS_RY, ABS_THROTTLE}, 4};
    for (unsigned b = 0; b < 14; ++b)
        setup.buttons.push_back(BTN_TRIGGER + b);
    return setup;
}

FakeDevice::FakeDevice(const FakeDeviceSetup& setup) {
    libevdev* description = libevdev_new();
    libevdev_set_name(description, setup.name.c_str());
    libevdev_set_id_bustype(description, BUS_USB);
    libevdev_set_id_vendor(description, setup.vendor);
    libevdev_set_id_product(description, setup.product);
    for (unsigned code : setup.buttons)
        libevdev_enable_event_code(description, EV_KEY, code, nullptr);
    input_absinfo axis{0, -32767, 32767, 0, 0, 0};
    for (unsigned code : setup.axes)
        libevdev_enable_event_code(description, EV_ABS, code, &axis);
    input_absinfo hat{0, -1, 1, 0, 0, 0};
    for (int h = 0; h < 2 * setup.hats; ++h)
        libevdev_enable_event_code(description, EV_ABS, ABS_HAT0X + static_cast<unsigned>(h), &hat);
    const int result =
        libevdev_uinput_create_from_device(description, LIBEVDEV_UINPUT_OPEN_MANAGED, &device_);
    libevdev_free(description);
    if (result < 0)
        throw std::runtime_error("cannot create " + setup.name + ": " + std::strerror(-result));
    devnode_ = libevdev_uinput_get_devnode(device_);
    try {
        waitForUdev(devnode_);
    } catch (...) {
        libevdev_uinput_destroy(device_);
        throw;
    }
}

FakeDevice::~FakeDevice() {
    libevdev_uinput_destroy(device_);
}

void FakeDevice::send(unsigned type, unsigned code, int value) {
    lastSentMs_ = monotonicMilliseconds();
    libevdev_uinput_write_event(device_, type, code, value);
    libevdev_uinput_write_event(device_, EV_SYN, SYN_REPORT, 0);
}

std::unique_ptr<DeviceReader> DeviceReader::open(const std::string& name, milliseconds wait) {
    const auto until = Clock::now() + wait;
    do {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator("/dev/input", ignored)) {
            if (!entry.path().filename().string().starts_with("event"))
                continue;
            const int fd = ::open(entry.path().c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            libevdev* device = nullptr;
            if (fd >= 0 && libevdev_new_from_fd(fd, &device) == 0 &&
                name == libevdev_get_name(device)) {
                int clock = CLOCK_MONOTONIC;
                ::ioctl(fd, EVIOCSCLOCKID, &clock);
                return std::unique_ptr<DeviceReader>(new DeviceReader(fd, device));
            }
            if (device)
                libevdev_free(device);
            if (fd >= 0)
                ::close(fd);
        }
        std::this_thread::sleep_for(milliseconds(20));
    } while (Clock::now() < until);
    return nullptr;
}

DeviceReader::~DeviceReader() {
    libevdev_free(device_);
    ::close(fd_);
}

std::optional<input_event> DeviceReader::next(milliseconds timeout) {
    const auto until = Clock::now() + timeout;
    while (!gone_) {
        input_event event{};
        const int result = libevdev_next_event(device_, LIBEVDEV_READ_FLAG_NORMAL, &event);
        if (result == LIBEVDEV_READ_STATUS_SUCCESS)
            return event;
        if (result == LIBEVDEV_READ_STATUS_SYNC)
            throw std::runtime_error("events were dropped: the reader fell behind");
        if (result == -ENODEV) {
            gone_ = true;
            break;
        }
        const auto left = std::chrono::duration_cast<milliseconds>(until - Clock::now());
        if (left.count() <= 0)
            break;
        pollfd wait{fd_, POLLIN, 0};
        ::poll(&wait, 1, static_cast<int>(left.count()));
    }
    return std::nullopt;
}

bool DeviceReader::waitReadable(milliseconds timeout) {
    pollfd wait{fd_, POLLIN, 0};
    return libevdev_has_event_pending(device_) > 0 ||
           ::poll(&wait, 1, static_cast<int>(timeout.count())) > 0;
}

std::optional<input_event> DeviceReader::waitFor(unsigned type, unsigned code,
                                                 std::optional<int> value, milliseconds timeout) {
    const auto until = Clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<milliseconds>(until - Clock::now());
        if (left.count() <= 0)
            return std::nullopt;
        const std::optional<input_event> event = next(left);
        if (!event)
            return std::nullopt;
        if (event->type == type && event->code == code && (!value || event->value == *value))
            return event;
    }
}

std::vector<input_event> DeviceReader::drain(milliseconds quiet) {
    std::vector<input_event> events;
    while (const std::optional<input_event> event = next(quiet))
        events.push_back(*event);
    return events;
}

double eventMilliseconds(const input_event& event) {
    return static_cast<double>(event.input_event_sec) * 1000.0 +
           static_cast<double>(event.input_event_usec) / 1000.0;
}

double monotonicMilliseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

std::string describe(const input_event& event) {
    const char* type = libevdev_event_type_get_name(event.type);
    const char* code = libevdev_event_code_get_name(event.type, event.code);
    return std::string(type ? type : "?") + " " + (code ? code : std::to_string(event.code)) + " " +
           std::to_string(event.value);
}

} // namespace vantrel::test
