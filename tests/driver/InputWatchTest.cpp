// Several devices playing as one X36: two FIFOs of raw input_event records stand for a stick
// and a throttle.
#include "InputWatch.h"
#include "DriverProcess.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/input.h>
#include <poll.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel::driver {
namespace {

using Input = player::ControlInput;

class InputWatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const std::string& path : {stick, throttle})
            ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
        watch.start();
        for (const std::string& path : {stick, throttle}) {
            const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
            ASSERT_GE(fd, 0) << path;
            writers.push_back(fd);
        }
    }
    void TearDown() override {
        for (int fd : writers)
            if (fd >= 0)
                ::close(fd);
    }

    void frame(std::size_t device, int type, int code, int value) {
        const input_event events[] = {
            {{}, static_cast<__u16>(type), static_cast<__u16>(code), value},
            {{}, EV_SYN, SYN_REPORT, 0}};
        ASSERT_EQ(::write(writers[device], events, sizeof events),
                  static_cast<ssize_t>(sizeof events));
    }
    // Steps until the watch reports something, or a second has passed.
    bool step() {
        changes.clear();
        origins.clear();
        for (int round = 0; round < 100 && changes.empty(); ++round) {
            std::vector<pollfd> waits;
            for (int fd : watch.fds())
                waits.push_back({fd, POLLIN, 0});
            ::poll(waits.data(), waits.size(), 10);
            if (!watch.step(changes, origins))
                return false;
        }
        return true;
    }

    test::DriverFolder folder;
    const std::string stick = folder.file("stick");
    const std::string throttle = folder.file("throttle");
    std::ostringstream log;
    InputWatch watch{{stick, throttle}, defaultControlMap(), log, {}};
    std::vector<int> writers;
    std::vector<Input> changes;
    std::vector<ControlOrigin> origins;
};

TEST_F(InputWatchTest, ButtonsAndAxesComeFromEitherDeviceWithTheirOrigin) {
    EXPECT_NE(log.str().find("input " + stick), std::string::npos) << log.str();
    EXPECT_NE(log.str().find("input " + throttle), std::string::npos);
    frame(0, EV_KEY, BTN_TRIGGER, 1);
    ASSERT_TRUE(step());
    ASSERT_EQ(changes, (std::vector<Input>{{Input::Kind::Button, 0, 1}}));
    EXPECT_EQ(origins.at(0).device, stick);
    EXPECT_EQ(origins.at(0).code, BTN_TRIGGER);
    frame(1, EV_ABS, ABS_THROTTLE, 0);
    ASSERT_TRUE(step());
    ASSERT_EQ(changes, (std::vector<Input>{{Input::Kind::Axis, 5, 0}}));
    EXPECT_EQ(origins.at(0).device, throttle);
    EXPECT_EQ(origins.at(0).type, EV_ABS);
    EXPECT_EQ(origins.at(0).code, ABS_THROTTLE);
}

TEST_F(InputWatchTest, AControlHeldOnBothIsPressedOnceAndLetGoByTheLast) {
    frame(0, EV_KEY, BTN_TRIGGER, 1);
    ASSERT_TRUE(step());
    EXPECT_EQ(changes.size(), 1u);
    frame(1, EV_KEY, BTN_TRIGGER, 1);
    frame(1, EV_ABS, ABS_HAT0X, 1); // something to report, so the step ends
    ASSERT_TRUE(step());
    EXPECT_EQ(changes, (std::vector<Input>{{Input::Kind::Hat, 0, 3}}));
    frame(0, EV_KEY, BTN_TRIGGER, 0);
    ASSERT_TRUE(step());
    EXPECT_TRUE(changes.empty()) << "the trigger stays down while the throttle holds it";
    frame(1, EV_KEY, BTN_TRIGGER, 0);
    ASSERT_TRUE(step());
    EXPECT_EQ(changes, (std::vector<Input>{{Input::Kind::Button, 0, 0}}));
}

TEST_F(InputWatchTest, LosingOneDeviceReleasesOnlyWhatItHeld) {
    frame(0, EV_KEY, BTN_TRIGGER, 1);
    frame(0, EV_ABS, ABS_HAT1X, -1);
    frame(1, EV_KEY, BTN_THUMB, 1);
    for (int seen = 0; seen < 3 && step();)
        seen += static_cast<int>(changes.size());
    ::close(std::exchange(writers[0], -1)); // the stick is unplugged
    EXPECT_FALSE(step());
    EXPECT_EQ(changes, (std::vector<Input>{{Input::Kind::Button, 0, 0}, {Input::Kind::Hat, 1, 0}}))
        << "FireA, held on the throttle, stays down";
    EXPECT_EQ(origins.at(0).device, stick);
    EXPECT_FALSE(watch.lostEverything());
    EXPECT_NE(log.str().find("input lost: " + stick), std::string::npos);

    ::close(std::exchange(writers[1], -1));
    EXPECT_FALSE(step());
    EXPECT_EQ(changes, (std::vector<Input>{{Input::Kind::Button, 1, 0}}));
    EXPECT_FALSE(watch.lostEverything()) << "the stick's pipe, opened again, plays on";
}

} // namespace
} // namespace vantrel::driver
