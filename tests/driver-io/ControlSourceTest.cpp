#include "EventPipe.h"

#include "io/DriverIo.h"
#include "io/InputEventStreams.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <poll.h>
#include <sys/stat.h>

namespace vantrel::driver {
namespace {

using ::testing::ElementsAre;
using testing::EventPipe;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using Input = player::ControlInput;

Input button(int index, int value) {
    return {Input::Kind::Button, index, value};
}
Input hat(int index, int direction) {
    return {Input::Kind::Hat, index, direction};
}
Input axis(int index, int value) {
    return {Input::Kind::Axis, index, value};
}

// A control source over a pipe, with what it has reported so far.
class PipedControls : public ::testing::Test {
protected:
    void open(const ControlMap& map = defaultControlMap()) {
        source_ = controlSourceForStream(
            std::make_unique<RecordStream>(pipe_.takeReader(), true, "test pipe"), map,
            [this](std::string_view line) { notices_.emplace_back(line); });
    }
    std::vector<Input> read() {
        std::vector<Input> changes;
        EXPECT_TRUE(source_->readControls(changes, origins_));
        return changes;
    }

    EventPipe pipe_;
    std::unique_ptr<ControlSource> source_;
    std::vector<std::string> notices_;
    std::vector<ControlOrigin> origins_;
};

TEST_F(PipedControls, ButtonsReportOnlyRealChanges) {
    open();
    pipe_.frame(EV_KEY, BTN_TRIGGER, 1);
    EXPECT_THAT(read(), ElementsAre(button(0, 1)));
    pipe_.frame(EV_KEY, BTN_TRIGGER, 2); // the kernel's auto-repeat
    EXPECT_THAT(read(), IsEmpty());
    pipe_.write({EventPipe::event(EV_KEY, BTN_THUMB, 1), EventPipe::event(EV_MSC, MSC_SCAN, 9),
                 EventPipe::event(EV_KEY, BTN_TRIGGER, 0), EventPipe::event(EV_SYN, SYN_REPORT, 0),
                 EventPipe::event(EV_KEY, BTN_BASE, 1), EventPipe::event(EV_KEY, BTN_BASE, 0),
                 EventPipe::event(EV_SYN, SYN_REPORT, 0)});
    EXPECT_THAT(read(), ElementsAre(button(0, 0), button(1, 1)))
        << "a press and release within one frame cancel out";
    EXPECT_THAT(notices_, IsEmpty());
}

TEST_F(PipedControls, HatAxisPairsGiveNineDirections) {
    open();
    pipe_.frame(EV_ABS, ABS_HAT0X, 1);
    EXPECT_THAT(read(), ElementsAre(hat(0, 3)));
    pipe_.frame(EV_ABS, ABS_HAT0Y, -1);
    EXPECT_THAT(read(), ElementsAre(hat(0, 2)));
    pipe_.write({EventPipe::event(EV_ABS, ABS_HAT0X, -1), EventPipe::event(EV_ABS, ABS_HAT0Y, 1),
                 EventPipe::event(EV_ABS, ABS_HAT3Y, 1), EventPipe::event(EV_SYN, SYN_REPORT, 0)});
    EXPECT_THAT(read(), ElementsAre(hat(0, 6), hat(3, 5)));
    pipe_.write({EventPipe::event(EV_ABS, ABS_HAT0X, 0), EventPipe::event(EV_ABS, ABS_HAT0Y, 0),
                 EventPipe::event(EV_SYN, SYN_REPORT, 0)});
    EXPECT_THAT(read(), ElementsAre(hat(0, 0)));
}

TEST_F(PipedControls, HatsMadeOfButtons) {
    ControlMap map;
    map.hats[2].kind = HatBinding::Kind::Buttons;
    map.hats[2].buttons = {BTN_DPAD_UP, BTN_DPAD_RIGHT, BTN_DPAD_DOWN, BTN_DPAD_LEFT};
    open(map);
    pipe_.frame(EV_KEY, BTN_DPAD_UP, 1);
    EXPECT_THAT(read(), ElementsAre(hat(2, 1)));
    pipe_.frame(EV_KEY, BTN_DPAD_LEFT, 1);
    EXPECT_THAT(read(), ElementsAre(hat(2, 8)));
    pipe_.frame(EV_KEY, BTN_DPAD_UP, 0);
    EXPECT_THAT(read(), ElementsAre(hat(2, 7)));
    pipe_.frame(EV_KEY, BTN_DPAD_RIGHT, 1); // left and right together cancel out
    EXPECT_THAT(read(), ElementsAre(hat(2, 0)));
}

TEST_F(PipedControls, AxesAreScaledAndInverted) {
    ControlMap map = defaultControlMap();
    map.axes[0].range = AxisRange{0, 1023};
    map.axes[1].range = AxisRange{0, 255};
    map.axes[1].inverted = true;
    open(map);
    pipe_.frame(EV_ABS, ABS_X, 0);
    EXPECT_THAT(read(), ElementsAre(axis(0, -32767)));
    pipe_.frame(EV_ABS, ABS_X, 1023);
    EXPECT_THAT(read(), ElementsAre(axis(0, 32767)));
    pipe_.frame(EV_ABS, ABS_X, 5000);
    EXPECT_THAT(read(), IsEmpty()) << "beyond the range is the range's end";
    pipe_.frame(EV_ABS, ABS_X, 511);
    EXPECT_THAT(read(), ElementsAre(axis(0, -32)));
    pipe_.frame(EV_ABS, ABS_Y, 0);
    EXPECT_THAT(read(), ElementsAre(axis(1, 32767)));
    pipe_.frame(EV_ABS, ABS_Y, 255);
    EXPECT_THAT(read(), ElementsAre(axis(1, -32767)));
    pipe_.frame(EV_ABS, ABS_THROTTLE, 40000); // no range anywhere: taken as already scaled
    EXPECT_THAT(read(), ElementsAre(axis(5, 32767)));
    pipe_.frame(EV_ABS, ABS_THROTTLE, -123);
    EXPECT_THAT(read(), ElementsAre(axis(5, -123)));
}

TEST_F(PipedControls, RecordsSplitBetweenReadsAreKept) {
    open();
    const input_event records[] = {EventPipe::event(EV_KEY, BTN_PINKIE, 1),
                                   EventPipe::event(EV_SYN, SYN_REPORT, 0)};
    const std::string bytes(reinterpret_cast<const char*>(records), sizeof(records));
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        pipe_.writeBytes(bytes.substr(i, 1));
        ASSERT_THAT(read(), IsEmpty()) << "after byte " << i;
    }
    pipe_.writeBytes(bytes.substr(bytes.size() - 1));
    EXPECT_THAT(read(), ElementsAre(button(5, 1)));

    pipe_.writeBytes(bytes.substr(0, 7));
    pipe_.closeWriter();
    EXPECT_THAT(read(), IsEmpty());
    std::vector<Input> changes;
    EXPECT_FALSE(source_->readControls(changes, origins_));
    EXPECT_THAT(notices_, ElementsAre("end of test pipe inside a record (7 bytes left over)"));
}

TEST_F(PipedControls, DroppedEventsDiscardTheirFrame) {
    open();
    pipe_.write({EventPipe::event(EV_KEY, BTN_TRIGGER, 1), EventPipe::event(EV_SYN, SYN_DROPPED, 0),
                 EventPipe::event(EV_KEY, BTN_THUMB, 1), EventPipe::event(EV_SYN, SYN_REPORT, 0)});
    EXPECT_THAT(read(), IsEmpty());
    pipe_.frame(EV_KEY, BTN_THUMB2, 1);
    EXPECT_THAT(read(), ElementsAre(button(2, 1)));
}

TEST_F(PipedControls, UnmappedInputsAreReportedOnce) {
    ControlMap map;
    map.buttons[0] = BTN_TRIGGER;
    open(map);
    for (int round = 0; round < 2; ++round) {
        pipe_.write({EventPipe::event(EV_KEY, KEY_Q, 1), EventPipe::event(EV_ABS, ABS_X, 3),
                     EventPipe::event(EV_REL, REL_WHEEL, 1), EventPipe::event(0x25, 7, 1),
                     EventPipe::event(EV_LED, LED_NUML, 1),
                     EventPipe::event(EV_SYN, SYN_REPORT, 0)});
        EXPECT_THAT(read(), IsEmpty());
    }
    EXPECT_THAT(notices_, ElementsAre("unmapped input ignored: KEY_Q (type 1, code 16)",
                                      "unmapped input ignored: ABS_X (type 3, code 0)",
                                      "unmapped input ignored: REL_WHEEL (type 2, code 8)",
                                      "unmapped input ignored: event type 37, code 7"));
}

TEST_F(PipedControls, AFloodOfUnknownCodesIsCutShort) {
    open(ControlMap{});
    for (int code = 0; code < 200; ++code)
        pipe_.frame(EV_KEY, code, 1);
    pipe_.closeWriter();
    std::vector<Input> changes;
    while (source_->readControls(changes, origins_)) {
    }
    ASSERT_EQ(notices_.size(), 66u);
    EXPECT_EQ(notices_[64], "further unmapped inputs are not reported");
    EXPECT_EQ(notices_[65], "end of test pipe");
}

class ControlSourcePaths : public ::testing::Test {
protected:
    void SetUp() override {
        directory_ = std::filesystem::temp_directory_path() /
                     ("vantrel-source-" + std::to_string(::getpid()));
        std::filesystem::create_directories(directory_);
    }
    void TearDown() override { std::filesystem::remove_all(directory_); }
    std::filesystem::path directory_;
    std::vector<ControlOrigin> origins_;
};

std::unique_ptr<ControlSource> openControlSource(const std::string& path, const ControlMap& map,
                                                 std::string& error) {
    std::unique_ptr<InputEventStream> stream = openInputEventStream(path, true, error);
    return stream ? controlSourceForStream(std::move(stream), map) : nullptr;
}

TEST_F(ControlSourcePaths, AFifoIsReadAsRawRecords) {
    const std::string path = (directory_ / "stick").string();
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    std::string error;
    std::unique_ptr<ControlSource> source = openControlSource(path, defaultControlMap(), error);
    ASSERT_TRUE(source) << error;
    EXPECT_EQ(source->describe(), path + " (raw input_event records)");
    const int writer = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    const input_event records[] = {EventPipe::event(EV_KEY, BTN_TOP, 1),
                                   EventPipe::event(EV_SYN, SYN_REPORT, 0)};
    ASSERT_EQ(::write(writer, records, sizeof(records)), static_cast<ssize_t>(sizeof(records)));
    pollfd readable{source->fd(), POLLIN, 0};
    ASSERT_EQ(::poll(&readable, 1, 5000), 1);
    std::vector<Input> changes;
    EXPECT_TRUE(source->readControls(changes, origins_));
    EXPECT_THAT(changes, ElementsAre(button(3, 1)));
    ASSERT_EQ(origins_.size(), 1u);
    EXPECT_EQ(origins_[0].device, path) << "a device the map does not name goes by its path";
    EXPECT_EQ(origins_[0].type, EV_KEY);
    EXPECT_EQ(origins_[0].code, BTN_TOP);
    EXPECT_EQ(origins_[0].value, 1);
    EXPECT_TRUE(source->readControls(changes, origins_)) << "nothing waiting is not the end";
    ::close(writer);
    EXPECT_FALSE(source->readControls(changes, origins_));
}

TEST_F(ControlSourcePaths, PathsThatAreNoJoystickAreRefused) {
    std::string error;
    EXPECT_FALSE(openControlSource((directory_ / "none").string(), ControlMap{}, error));
    EXPECT_THAT(error, HasSubstr("cannot open " + (directory_ / "none").string()));
    EXPECT_FALSE(openControlSource("/dev/null", ControlMap{}, error));
    EXPECT_THAT(error, HasSubstr("/dev/null is not an input event device"));
    EXPECT_FALSE(openControlSource(directory_.string(), ControlMap{}, error));
    EXPECT_THAT(error, HasSubstr("is a directory"));
}

} // namespace
} // namespace vantrel::driver
