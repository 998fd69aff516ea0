#pragma once

#include "io/ControlMap.h"
#include "io/ControlMapper.h"

#include <linux/input.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vantrel::driver {

// Evdev events from a joystick or from a stream of raw input_event records.
class InputEventStream {
public:
    virtual ~InputEventStream() = default;
    virtual int fd() const = 0;
    // Appends the events waiting (without blocking when the fd is non-blocking). Returns false
    // once the stream is gone: its end, an unplugged device or a read error, as error() says.
    virtual bool read(std::vector<input_event>& events) = 0;
    // The raw range of an EV_ABS code, where the device reports one.
    virtual std::optional<AxisRange> absRange(int code) const = 0;
    // The present value of an EV_ABS code, where the device can be asked.
    virtual std::optional<int> absValue(int code) const = 0;
    virtual std::string describe() const = 0;
    // Its path, and for an evdev device its USB numbers and name, to match the map's devices.
    virtual DeviceIdentity identity() const = 0;
    // The error of taking the device for the driver alone (EBUSY: another program has it), 0
    // when it was taken or not asked for.
    int grabError() const { return grabError_; }
    const std::string& error() const { return error_; }

protected:
    std::string error_;
    int grabError_ = 0;
};

// Raw input_event records read from any fd (a pipe, a FIFO, a recording); a record split
// between two reads is kept until it is complete. Closes the fd if it owns it.
class RecordStream : public InputEventStream {
public:
    RecordStream(int fd, bool ownsFd, std::string description, std::string path = {});
    ~RecordStream() override;
    RecordStream(const RecordStream&) = delete;
    RecordStream& operator=(const RecordStream&) = delete;

    int fd() const override { return fd_; }
    bool read(std::vector<input_event>& events) override;
    std::optional<AxisRange> absRange(int) const override { return std::nullopt; }
    std::optional<int> absValue(int) const override { return std::nullopt; }
    std::string describe() const override { return description_; }
    DeviceIdentity identity() const override { return {path_, -1, -1, {}}; }

private:
    int fd_;
    bool ownsFd_;
    std::string description_;
    std::string path_;
    std::vector<char> pending_; // the start of a record not yet complete
};

// Opens an evdev device through libevdev, taking it for itself when grab is set (so other
// programs see only the virtual joystick), or any other readable path as a record stream.
std::unique_ptr<InputEventStream> openInputEventStream(const std::string& path, bool grab,
                                                       std::string& error,
                                                       const NoticeHandler& notices = {});
// The same over an fd the caller keeps (set non-blocking here).
std::unique_ptr<InputEventStream> inputEventStreamForFd(int fd, std::string& error);

// Controls mapped from any event stream: a joystick opened by openInputEventStream, a test's
// pipe through RecordStream. device names it in the changes' origins (default: its path).
std::unique_ptr<ControlSource> controlSourceForStream(std::unique_ptr<InputEventStream> stream,
                                                      const ControlMap& map,
                                                      NoticeHandler notices = {},
                                                      std::string device = {});

} // namespace vantrel::driver
