#include "io/InputEventStreams.h"

#include "io/VirtualDeviceMark.h"

#include <libevdev/libevdev.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel::driver {
namespace {

constexpr std::size_t kRecordsPerRead = 64;
// A device that floods events still lets the caller's loop run between batches.
constexpr std::size_t kMaximumEventsPerRead = 4096;

std::string systemError(int code) {
    return std::strerror(code);
}

class EvdevStream : public InputEventStream {
public:
    EvdevStream(int fd, bool ownsFd, libevdev* device, std::string path)
        : fd_(fd), ownsFd_(ownsFd), device_(device), path_(std::move(path)) {}
    ~EvdevStream() override {
        if (grabbed_)
            libevdev_grab(device_, LIBEVDEV_UNGRAB);
        libevdev_free(device_);
        if (ownsFd_)
            ::close(fd_);
    }
    EvdevStream(const EvdevStream&) = delete;
    EvdevStream& operator=(const EvdevStream&) = delete;

    bool grab(std::string& problem) {
        const int result = libevdev_grab(device_, LIBEVDEV_GRAB);
        grabbed_ = result == 0;
        grabError_ = -result;
        if (!grabbed_)
            problem = "could not take " + path_ + " for the driver alone (" + systemError(-result) +
                      "): other programs see it too";
        return grabbed_;
    }

    int fd() const override { return fd_; }

    bool read(std::vector<input_event>& events) override {
        unsigned flag = LIBEVDEV_READ_FLAG_NORMAL;
        for (std::size_t count = 0; count < kMaximumEventsPerRead; ++count) {
            input_event event{};
            const int result = libevdev_next_event(device_, flag, &event);
            if (result == LIBEVDEV_READ_STATUS_SYNC && flag == LIBEVDEV_READ_FLAG_NORMAL) {
                // Events were lost: libevdev now hands out the differences between what it
                // knew and the device's present state, which bring the mapper up to date.
                flag = LIBEVDEV_READ_FLAG_SYNC;
            } else if (result == LIBEVDEV_READ_STATUS_SYNC ||
                       result == LIBEVDEV_READ_STATUS_SUCCESS) {
                events.push_back(event);
            } else if (result == -EAGAIN && flag == LIBEVDEV_READ_FLAG_SYNC) {
                flag = LIBEVDEV_READ_FLAG_NORMAL;
            } else if (result == -EAGAIN) {
                return true;
            } else {
                error_ = result == -ENODEV ? path_ + " was unplugged"
                                           : "cannot read " + path_ + ": " + systemError(-result);
                return false;
            }
        }
        return true;
    }

    std::optional<AxisRange> absRange(int code) const override {
        const input_absinfo* info = libevdev_get_abs_info(device_, static_cast<unsigned>(code));
        if (!info || info->maximum <= info->minimum)
            return std::nullopt;
        return AxisRange{info->minimum, info->maximum};
    }

    std::optional<int> absValue(int code) const override {
        int value = 0;
        if (!libevdev_fetch_event_value(device_, EV_ABS, static_cast<unsigned>(code), &value))
            return std::nullopt;
        return value;
    }

    bool isVantrelVirtualDevice() const {
        const char* phys = libevdev_get_phys(device_);
        const char* name = libevdev_get_name(device_);
        return driver::isVantrelVirtualDevice(phys ? phys : "", name ? name : "");
    }

    DeviceIdentity identity() const override {
        const char* name = libevdev_get_name(device_);
        return {path_, libevdev_get_id_vendor(device_), libevdev_get_id_product(device_),
                name ? name : ""};
    }

    std::string describe() const override {
        const char* name = libevdev_get_name(device_);
        return path_ + " (" + (name ? name : "unnamed") + ")";
    }

private:
    int fd_;
    bool ownsFd_;
    libevdev* device_;
    std::string path_;
    bool grabbed_ = false;
};

std::unique_ptr<EvdevStream> evdevStream(int fd, bool ownsFd, const std::string& path,
                                         std::string& error) {
    libevdev* device = nullptr;
    const int result = libevdev_new_from_fd(fd, &device);
    if (result < 0) {
        error = path + " is not an input event device: " + systemError(-result);
        return nullptr;
    }
    return std::make_unique<EvdevStream>(fd, ownsFd, device, path);
}

} // namespace

RecordStream::RecordStream(int fd, bool ownsFd, std::string description, std::string path)
    : fd_(fd), ownsFd_(ownsFd), description_(std::move(description)), path_(std::move(path)) {}

RecordStream::~RecordStream() {
    if (ownsFd_)
        ::close(fd_);
}

bool RecordStream::read(std::vector<input_event>& events) {
    constexpr std::size_t recordSize = sizeof(input_event);
    std::vector<char> buffer(pending_);
    const std::size_t kept = buffer.size();
    buffer.resize(kept + kRecordsPerRead * recordSize);
    ssize_t count = 0;
    do {
        count = ::read(fd_, buffer.data() + kept, buffer.size() - kept);
    } while (count < 0 && errno == EINTR);
    if (count < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return true;
        error_ = "cannot read " + description_ + ": " + systemError(errno);
        return false;
    }
    if (count == 0) {
        error_ = "end of " + description_;
        if (!pending_.empty())
            error_ += " inside a record (" + std::to_string(pending_.size()) + " bytes left over)";
        return false;
    }
    const std::size_t total = kept + static_cast<std::size_t>(count);
    const std::size_t whole = total - total % recordSize;
    for (std::size_t at = 0; at < whole; at += recordSize) {
        input_event event{};
        std::memcpy(&event, buffer.data() + at, recordSize);
        events.push_back(event);
    }
    pending_.assign(buffer.begin() + static_cast<std::ptrdiff_t>(whole),
                    buffer.begin() + static_cast<std::ptrdiff_t>(total));
    return true;
}

std::unique_ptr<InputEventStream> openInputEventStream(const std::string& path, bool grab,
                                                       std::string& error,
                                                       const NoticeHandler& notices) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot open " + path + ": " + systemError(errno);
        return nullptr;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        error = "cannot examine " + path + ": " + systemError(errno);
        ::close(fd);
        return nullptr;
    }
    if (S_ISDIR(status.st_mode)) {
        error = path + " is a directory, not an input device";
        ::close(fd);
        return nullptr;
    }
    if (!S_ISCHR(status.st_mode))
        return std::make_unique<RecordStream>(fd, true, path + " (raw input_event records)", path);
    std::unique_ptr<EvdevStream> stream = evdevStream(fd, true, path, error);
    if (!stream) {
        ::close(fd);
        return nullptr;
    }
    if (stream->isVantrelVirtualDevice()) {
        error = path + " is a virtual device of a Vantrel driver, not a joystick to take";
        return nullptr;
    }
    std::string problem;
    if (grab && !stream->grab(problem) && notices)
        notices(problem);
    return stream;
}

std::unique_ptr<InputEventStream> inputEventStreamForFd(int fd, std::string& error) {
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        error = "cannot examine the event stream: " + systemError(errno);
        return nullptr;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
    const std::string name = "fd " + std::to_string(fd);
    if (S_ISCHR(status.st_mode))
        return evdevStream(fd, false, name, error);
    return std::make_unique<RecordStream>(fd, false, name + " (raw input_event records)", name);
}

} // namespace vantrel::driver
