#include "io/UinputBackend.h"

#include "io/ActionText.h"
#include "io/DriverIo.h"

#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>

#include <array>
#include <chrono>
#include <cstring>
#include <set>
#include <thread>
#include <utility>

namespace vantrel::driver {
namespace {

using Action = player::OutputAction;
using Clock = std::chrono::steady_clock;

// A device destroyed takes its unread events with it (evdev answers ENODEV), and readers such as
// games read once a frame: the last events written (the releases at a stop) are left this long
// to be read before the devices go.
constexpr std::chrono::milliseconds kReaderSettle{50};

class UinputBackend : public OutputBackend {
public:
    UinputBackend(UinputPointer desktop, UinputPointer joystick, NoticeHandler notices)
        : desktop_(std::move(desktop)), joystick_(std::move(joystick)),
          notices_(std::move(notices)) {}
    ~UinputBackend() override { std::this_thread::sleep_until(lastWrite_ + kReaderSettle); }
    UinputBackend(const UinputBackend&) = delete;
    UinputBackend& operator=(const UinputBackend&) = delete;

    std::string describe() const override {
        return "uinput: a virtual keyboard and mouse, and a virtual joystick";
    }
    bool offersJoystick() const override { return true; }

    void emit(const Action& action, player::Time) override {
        const std::vector<UinputEvent> events = uinputEvents(action);
        if (events.empty()) {
            noteOnce(unperformable_, {static_cast<int>(action.kind), action.code},
                     "no virtual device performs " + actionText(action));
            return;
        }
        std::array<bool, 2> touched{};
        for (const UinputEvent& event : events) {
            write(event.device, event.type, event.code, event.value);
            touched[static_cast<std::size_t>(event.device)] = true;
        }
        for (std::size_t device = 0; device < touched.size(); ++device) {
            if (touched[device])
                write(static_cast<VirtualDevice>(device), EV_SYN, SYN_REPORT, 0);
        }
    }

    void note(std::string_view line) override {
        if (notices_)
            notices_(line);
    }

private:
    void write(VirtualDevice device, unsigned type, unsigned code, int value) {
        libevdev_uinput* target =
            device == VirtualDevice::Joystick ? joystick_.get() : desktop_.get();
        const int result = libevdev_uinput_write_event(target, type, code, value);
        lastWrite_ = Clock::now();
        if (result < 0)
            noteOnce(failedWrites_, {static_cast<int>(device), -result},
                     std::string("cannot write to ") + libevdev_uinput_get_devnode(target) + ": " +
                         std::strerror(-result));
    }

    void noteOnce(std::set<std::pair<int, int>>& seen, std::pair<int, int> key,
                  const std::string& line) {
        if (seen.insert(key).second && notices_)
            notices_(line);
    }

    UinputPointer desktop_;
    UinputPointer joystick_;
    NoticeHandler notices_;
    Clock::time_point lastWrite_{};
    std::set<std::pair<int, int>> unperformable_;
    std::set<std::pair<int, int>> failedWrites_;
};

} // namespace

void UinputDeleter::operator()(libevdev_uinput* device) const {
    libevdev_uinput_destroy(device);
}

UinputPointer createVirtualDevice(const VirtualDeviceSetup& setup, std::string& error) {
    const LibevdevPointer description = describeVirtualDevice(setup);
    if (!description) {
        error = "cannot describe " + setup.name;
        return nullptr;
    }
    libevdev_uinput* device = nullptr;
    const int result = libevdev_uinput_create_from_device(description.get(),
                                                          LIBEVDEV_UINPUT_OPEN_MANAGED, &device);
    if (result < 0) {
        error = "cannot create " + setup.name + " through /dev/uinput: " + std::strerror(-result);
        return nullptr;
    }
    return UinputPointer(device);
}

std::unique_ptr<OutputBackend> openUinputBackend(std::string& error, NoticeHandler notices) {
    UinputPointer desktop = createVirtualDevice(keyboardMouseSetup(), error);
    if (!desktop)
        return nullptr;
    UinputPointer joystick = createVirtualDevice(joystickSetup(), error);
    if (!joystick)
        return nullptr;
    return std::make_unique<UinputBackend>(std::move(desktop), std::move(joystick),
                                           std::move(notices));
}

} // namespace vantrel::driver
