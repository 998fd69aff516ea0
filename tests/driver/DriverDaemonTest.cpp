// vantrel-driver as a user runs it: profiles loaded through its socket, presses played from a
// pipe of raw input_event records, the kept profile, stopping.
#include "DriverProcess.h"

#include "../core/device/DeviceProfileBytes.h"
#include "device/DeviceProgrammer.h"
#include "platform/posix/PosixDriverConnection.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <linux/input.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel {
namespace {

using test::DeviceProfileBytes;
using test::DriverProcess;

// A profile whose trigger press types the key of the given usage (script 1; script 0 is the
// usual empty _NULL).
std::vector<std::uint8_t> triggerTypes(std::uint8_t usage) {
    return DeviceProfileBytes::header(2)
        .u16(0)
        .u16(0)
        .u16(1)
        .u16(2)
        .event(0, usage, 0)
        .event(1, usage, 0)
        .u16(1)
        .u16(0)
        .u16(1)
        .entry(0, 1, 1)
        .u16(0)
        .finish();
}

class DriverDaemonTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0); }

    std::vector<std::string> environment() const {
        return {"XDG_RUNTIME_DIR=" + folder.file("run"), "XDG_STATE_HOME=" + folder.file("state"),
                "XDG_CONFIG_HOME=" + folder.file("config"), "ASAN_OPTIONS=detect_leaks=1"};
    }
    std::unique_ptr<DriverProcess> start() {
        std::filesystem::create_directories(folder.file("run"));
        auto driver = std::make_unique<DriverProcess>(
            std::vector<std::string>{"--device", fifo, "--output", "print"}, environment());
        EXPECT_TRUE(driver->waitForLog("input " + fifo)) << driver->log();
        return driver;
    }
    DeviceResult send(const std::vector<std::uint8_t>& bytes) {
        const std::string path = folder.file("sent.bpf");
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        platform::PosixDriverConnection connection(socket);
        return DeviceProgrammer(connection).program(path);
    }
    // Presses and releases the trigger through the pipe, as a joystick would report it.
    void pullTrigger() {
        const int fd = ::open(fifo.c_str(), O_WRONLY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        std::vector<input_event> events;
        for (int value : {1, 0}) {
            events.push_back({{}, EV_KEY, BTN_TRIGGER, value});
            events.push_back({{}, EV_SYN, SYN_REPORT, 0});
        }
        const auto size = static_cast<ssize_t>(events.size() * sizeof(input_event));
        EXPECT_EQ(::write(fd, events.data(), static_cast<std::size_t>(size)), size);
        ::close(fd);
    }

    test::DriverFolder folder;
    const std::string fifo = folder.file("stick");
    const std::string socket = folder.file("run") + "/X36Program";
    const std::string kept = folder.file("state") + "/vantrel/profile.bpf";
};

TEST_F(DriverDaemonTest, PlaysTheProfileItTookAndKeepsItWhenAnotherIsRefused) {
    std::unique_ptr<DriverProcess> driver = start();
    // Without a profile the virtual joystick mirrors the stick.
    pullTrigger();
    EXPECT_TRUE(driver->waitForOutput("joystick button down 1")) << driver->output();

    const DeviceResult taken = send(triggerTypes(4));
    EXPECT_TRUE(taken.log.ends_with("Profile load complete.\n")) << taken.log;
    EXPECT_TRUE(driver->waitForLog("profile loaded: 2 scripts, 1 mode, 0 chains"));
    EXPECT_TRUE(std::filesystem::exists(kept));
    std::size_t seen = driver->output().size();
    pullTrigger();
    EXPECT_TRUE(driver->waitForOutput("key down, usage 4", seen)) << driver->output();
    EXPECT_TRUE(driver->waitForOutput("key up, usage 4", seen));

    // Version 5: the device refuses it, and the profile before it goes on playing.
    std::vector<std::uint8_t> wrong = triggerTypes(5);
    wrong[0] = 5;
    const DeviceResult refused = send(wrong);
    EXPECT_TRUE(refused.log.ends_with("Profile load error.  Value: 2\n"
                                      "Reason:  version 5; the device takes version 4\n"))
        << refused.log;
    EXPECT_TRUE(driver->waitForLog("the previous profile stays active")) << driver->log();
    seen = driver->output().size();
    pullTrigger();
    EXPECT_TRUE(driver->waitForOutput("key up, usage 4", seen)) << driver->output();
    EXPECT_EQ(driver->output().find("usage 5"), std::string::npos);
    EXPECT_EQ(driver->stop(), 0);
    EXPECT_NE(driver->log().find("vantrel-driver: stopped"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(socket));
}

// Writes one button change and its frame's end to the stick.
void writeButton(int fd, int code, int value) {
    const input_event events[2] = {{{}, EV_KEY, static_cast<std::uint16_t>(code), value},
                                   {{}, EV_SYN, SYN_REPORT, 0}};
    ASSERT_EQ(::write(fd, events, sizeof events), static_cast<ssize_t>(sizeof events));
}

TEST_F(DriverDaemonTest, DelaysRunOnTheTimerAndHeldKeysAreLetGoWhenTheStickGoes) {
    // Trigger: key 7 down, 200 ms, key 7 up. FireA (code 3): key 8 down, held.
    const std::vector<std::uint8_t> profile = DeviceProfileBytes::header(3)
                                                  .u16(0)
                                                  .u16(0)
                                                  .u16(1)
                                                  .u16(2)
                                                  .event(0, 7, 200)
                                                  .event(1, 7, 0)
                                                  .u16(2)
                                                  .u16(1)
                                                  .event(0, 8, 0)
                                                  .u16(1)
                                                  .u16(0)
                                                  .u16(2)
                                                  .entry(0, 1, 1)
                                                  .entry(0, 3, 2)
                                                  .u16(0)
                                                  .finish();
    std::unique_ptr<DriverProcess> driver = start();
    ASSERT_TRUE(send(profile).loaded);
    int fd = ::open(fifo.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    writeButton(fd, BTN_TRIGGER, 1);
    writeButton(fd, BTN_TRIGGER, 0);
    // The stick stays connected: only the timer can end the script.
    EXPECT_TRUE(driver->waitForOutput("key up, usage 7")) << driver->output();
    EXPECT_EQ(driver->log().find("input lost"), std::string::npos);

    writeButton(fd, BTN_THUMB, 1);
    EXPECT_TRUE(driver->waitForOutput("key down, usage 8"));
    ::close(fd); // the stick is unplugged with FireA down
    EXPECT_TRUE(driver->waitForLog("input lost")) << driver->log();
    EXPECT_TRUE(driver->waitForOutput("key up, usage 8")) << driver->output();

    // Taken back (a pipe at once), held again, and let go when the driver stops.
    fd = ::open(fifo.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    const std::size_t seen = driver->output().size();
    writeButton(fd, BTN_THUMB, 1);
    EXPECT_TRUE(driver->waitForOutput("key down, usage 8", seen));
    EXPECT_EQ(driver->stop(), 0);
    EXPECT_NE(driver->output().find("key up, usage 8", seen), std::string::npos)
        << driver->output();
    ::close(fd);
}

TEST_F(DriverDaemonTest, AStickAndAThrottlePlayAsOneAndGoOnTheirOwn) {
    const std::string throttle = folder.file("throttle");
    ASSERT_EQ(::mkfifo(throttle.c_str(), 0600), 0);
    std::filesystem::create_directories(folder.file("run"));
    DriverProcess driver({"--device", fifo, "--device", throttle, "--output", "print"},
                         environment());
    ASSERT_TRUE(driver.waitForLog("input " + throttle)) << driver.log();
    const int stickFd = ::open(fifo.c_str(), O_WRONLY | O_CLOEXEC);
    const int throttleFd = ::open(throttle.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(stickFd, 0);
    ASSERT_GE(throttleFd, 0);
    auto moveThrottle = [throttleFd](int value) {
        const input_event events[2] = {{{}, EV_ABS, ABS_THROTTLE, value},
                                       {{}, EV_SYN, SYN_REPORT, 0}};
        ASSERT_EQ(::write(throttleFd, events, sizeof events), static_cast<ssize_t>(sizeof events));
    };
    // Without a profile the virtual joystick mirrors both: a button of one, an axis of the other.
    writeButton(stickFd, BTN_TRIGGER, 1);
    EXPECT_TRUE(driver.waitForOutput("joystick button down 1")) << driver.output();
    moveThrottle(1000);
    EXPECT_TRUE(driver.waitForOutput("axis 5 to 1000")) << driver.output();
    ::close(stickFd); // the stick goes with its trigger held; the throttle plays on
    EXPECT_TRUE(driver.waitForOutput("joystick button up 1")) << driver.output();
    moveThrottle(2000);
    EXPECT_TRUE(driver.waitForOutput("axis 5 to 2000")) << driver.output();
    EXPECT_EQ(driver.stop(), 0);
    ::close(throttleFd);
}

TEST_F(DriverDaemonTest, LoadsTheKeptProfileAtStartAndAClearRemovesIt) {
    {
        std::unique_ptr<DriverProcess> driver = start();
        ASSERT_TRUE(send(triggerTypes(6)).loaded);
        EXPECT_EQ(driver->stop(), 0);
    }
    std::unique_ptr<DriverProcess> driver = start();
    EXPECT_TRUE(driver->waitForLog("kept profile loaded from " + kept)) << driver->log();
    pullTrigger();
    EXPECT_TRUE(driver->waitForOutput("key down, usage 6")) << driver->output();

    // A clear alone, as a client that only clears sends it.
    {
        platform::PosixDriverConnection connection(socket);
        const std::optional<platform::DriverHandle> handle = connection.openDriver();
        ASSERT_TRUE(handle.has_value());
        std::uint8_t byte = 3;
        ASSERT_EQ(connection.write(*handle, std::span(&byte, 1)), std::size_t{1});
        ASSERT_EQ(connection.read(*handle, std::span(&byte, 1)), std::size_t{1});
        EXPECT_EQ(byte, 0);
        connection.close(*handle);
    }
    EXPECT_TRUE(driver->waitForLog("vantrel-driver: profile cleared")) << driver->log();
    EXPECT_FALSE(std::filesystem::exists(kept));
    EXPECT_EQ(driver->stop(), 0);
}

TEST_F(DriverDaemonTest, ADamagedKeptProfileIsToldAndLeftAlone) {
    std::filesystem::create_directories(std::filesystem::path(kept).parent_path());
    std::ofstream(kept, std::ios::binary) << "not a profile";
    std::unique_ptr<DriverProcess> driver = start();
    EXPECT_TRUE(driver->waitForLog("kept profile " + kept + " refused")) << driver->log();
    EXPECT_EQ(std::filesystem::file_size(kept), 13u);
    // Still serving.
    EXPECT_TRUE(send(triggerTypes(4)).loaded);
    EXPECT_EQ(driver->stop(), 0);
}

TEST_F(DriverDaemonTest, AStateFolderThatCannotBeMadeLosesOnlyTheKeeping) {
    std::ofstream(folder.file("state")) << "a file where the folder should be";
    std::unique_ptr<DriverProcess> driver = start();
    EXPECT_TRUE(send(triggerTypes(4)).loaded);
    EXPECT_TRUE(driver->waitForLog("profile not kept for the next start")) << driver->log();
    pullTrigger();
    EXPECT_TRUE(driver->waitForOutput("key down, usage 4")) << driver->output();
    EXPECT_EQ(driver->stop(), 0);
}

TEST_F(DriverDaemonTest, ASecondDriverLeavesTheFirstOneServing) {
    std::unique_ptr<DriverProcess> first = start();
    DriverProcess second({"--device", fifo, "--output", "print"}, environment());
    EXPECT_EQ(second.wait(), 1);
    EXPECT_NE(second.log().find("a driver is already listening on " + socket), std::string::npos)
        << second.log();
    EXPECT_TRUE(send(triggerTypes(4)).loaded);
    EXPECT_EQ(first->stop(), 0);
}

TEST_F(DriverDaemonTest, InTheBackgroundTheCommandReturnsOnceTheSocketListens) {
    std::filesystem::create_directories(folder.file("run"));
    DriverProcess command({"--background", "--device", fifo, "--output", "print"}, environment());
    const std::string told = "vantrel-driver: serving in the background as process ";
    ASSERT_TRUE(command.waitForOutput(told)) << command.log();
    // Told only after the socket listens: a profile sent now is taken at once.
    EXPECT_TRUE(send(triggerTypes(4)).loaded);
    const pid_t served =
        std::stoi(command.output().substr(command.output().find(told) + told.size()));
    ASSERT_GT(served, 0);
    ::kill(served, SIGTERM);
    EXPECT_EQ(command.wait(), 0); // the output ends when the served process has stopped
    EXPECT_FALSE(std::filesystem::exists(socket));
}

TEST(DriverCommandLine, LearnsAMapFromARecordingAndSavesIt) {
    test::DriverFolder folder;
    const std::string recording = folder.file("stick.events");
    const input_event events[] = {{{}, EV_KEY, BTN_BASE2, 1},
                                  {{}, EV_SYN, SYN_REPORT, 0},
                                  {{}, EV_KEY, BTN_BASE2, 0},
                                  {{}, EV_SYN, SYN_REPORT, 0}};
    std::ofstream(recording, std::ios::binary)
        .write(reinterpret_cast<const char*>(events), sizeof events);
    const std::string map = folder.file("config") + "/vantrel/controls.map";
    // The first control asked for is the trigger; the end of the recording skips the rest.
    DriverProcess learn({"--learn", "--device", recording},
                        {"XDG_CONFIG_HOME=" + folder.file("config")});
    EXPECT_EQ(learn.wait(), 0) << learn.log();
    std::ifstream saved(map);
    const std::string text((std::istreambuf_iterator<char>(saved)), {});
    EXPECT_NE(text.find("Trigger = BTN_BASE2"), std::string::npos) << text;
    EXPECT_NE(learn.output().find("Control map saved to " + map), std::string::npos);

    // One control learnt again: the others keep their bindings, the map before is kept as ~.
    const input_event fireA[] = {{{}, EV_KEY, BTN_BASE3, 1}, {{}, EV_SYN, SYN_REPORT, 0}};
    std::ofstream(recording, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(fireA), sizeof fireA);
    DriverProcess one({"--learn", "--control", "FireA", "--device", recording},
                      {"XDG_CONFIG_HOME=" + folder.file("config")});
    EXPECT_EQ(one.wait(), 0) << one.log();
    EXPECT_NE(one.output().find("FireA: press the A button on the stick's head ... BTN_BASE3\n"),
              std::string::npos)
        << one.output();
    std::ifstream previous(map + "~");
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(previous)), {}), text);
    std::ifstream relearnt(map);
    const std::string both((std::istreambuf_iterator<char>(relearnt)), {});
    EXPECT_NE(both.find("Trigger = BTN_BASE2\n"), std::string::npos) << both;
    EXPECT_NE(both.find("FireA = BTN_BASE3\n"), std::string::npos) << both;

    // Nothing learnt: the map already there is left alone.
    std::ofstream(recording, std::ios::trunc).close();
    DriverProcess nothing({"--learn", "--device", recording},
                          {"XDG_CONFIG_HOME=" + folder.file("config")});
    EXPECT_EQ(nothing.wait(), 1);
    std::ifstream again(map);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(again)), {}), both);

    DriverProcess unknown({"--learn", "--control", "FireZ", "--device", recording}, {});
    EXPECT_EQ(unknown.wait(), 2);
    EXPECT_NE(unknown.log().find("--control FireZ: not a control of the X36"), std::string::npos);
}

TEST(DriverCommandLine, PlayTellsWhatItCannotReadAndWhy) {
    DriverProcess play({"--play", "/nonexistent/p.bpf", "--input", "/nonexistent/e"}, {});
    EXPECT_EQ(play.wait(), 1);
    EXPECT_EQ(play.log(),
              "vantrel-driver: cannot open /nonexistent/p.bpf: No such file or directory\n");

    test::DriverFolder folder;
    DriverProcess folderGiven({"--play", folder.file(""), "--input", "/nonexistent/e"}, {});
    EXPECT_EQ(folderGiven.wait(), 1);
    EXPECT_EQ(folderGiven.log(),
              "vantrel-driver: cannot read " + folder.file("") + ": Is a directory\n");

    // The text file is what a user has at hand; it is not read as a device file.
    const std::string text = folder.file("combat.VTP");
    std::ofstream(text) << "<SCRIPTLIST>\n";
    DriverProcess untranslated({"--play", text, "--input", "/nonexistent/e"}, {});
    EXPECT_EQ(untranslated.wait(), 1);
    EXPECT_EQ(untranslated.log(), "vantrel-driver: " + text +
                                      " is a profile text file, not a device profile file; "
                                      "translate it first: vantrel " +
                                      text + "\n");
}

TEST(DriverCommandLine, UnusableUinputSaysHowToMakeItUsable) {
    if (::access("/dev/uinput", W_OK) == 0)
        GTEST_SKIP() << "/dev/uinput is writable here, so the driver would use it";
    DriverProcess driver({"--output", "uinput", "--device", "/nonexistent/stick"}, {});
    EXPECT_EQ(driver.wait(), 1);
    EXPECT_NE(driver.log().find("vantrel-driver: output uinput failed: "), std::string::npos)
        << driver.log();
    EXPECT_NE(driver.log().find("\nvantrel-driver: to play through /dev/uinput, load its module "
                                "(sudo modprobe uinput) and install the udev rule "
                                "60-vantrel-driver.rules"),
              std::string::npos)
        << driver.log();
}

TEST(DriverCommandLine, AnUnopenableDeviceIsNamedOnce) {
    test::DriverFolder folder;
    DriverProcess learn({"--learn", folder.file("map"), "--device", "/nonexistent/stick"},
                        {"XDG_CONFIG_HOME=" + folder.file("config")});
    EXPECT_EQ(learn.wait(), 1);
    EXPECT_EQ(learn.log(),
              "vantrel-driver: cannot open /nonexistent/stick: No such file or directory\n"
              "vantrel-driver: no joystick to learn from; " +
                  folder.file("map") + " is left alone\n");
}

TEST(DriverCommandLine, AFaultyMapIsToldOnceWithItsFileAndLine) {
    test::DriverFolder folder;
    const std::string map = folder.file("bad.map");
    std::ofstream(map) << "Trigger = BTN_TRIGGER\nFireA = stick BTN_THUMB\n";
    DriverProcess driver({"--map", map, "--output", "print"}, {});
    EXPECT_EQ(driver.wait(), 1);
    EXPECT_EQ(driver.log(), "vantrel-driver: " + map +
                                ": line 2: \"stick\" is not a device of this map (declare it: "
                                "device stick = vendor:product)\n");
}

TEST(DriverCommandLine, HelpVersionAndBadOptions) {
    DriverProcess help({"--help"}, {});
    EXPECT_EQ(help.wait(), 0);
    EXPECT_TRUE(help.output().starts_with("Usage: vantrel-driver")) << help.output();
    DriverProcess version({"--version"}, {});
    EXPECT_EQ(version.wait(), 0);
    EXPECT_EQ(version.output(), "vantrel-driver " VANTREL_VERSION "\n");

    const std::vector<std::pair<std::vector<std::string>, std::string>> bad{
        {{"--fly"}, "unknown option --fly"},
        {{"--output", "speaker"}, "unknown output speaker (uinput, xtest or print)"},
        {{"--hysteresis", "-1"}, "--hysteresis -1: give a number from 0 to 65534"},
        {{"--device"}, "--device needs a value"},
        {{"--play", "a.bpf"}, "--play and --input go together"},
        {{"--monitor", "--device", "x"}, "--monitor takes no other option"},
    };
    for (const auto& [arguments, message] : bad) {
        DriverProcess driver(arguments, {});
        EXPECT_EQ(driver.wait(), 2) << arguments[0];
        EXPECT_EQ(driver.log(), "vantrel-driver: " + message +
                                    "\nTry 'vantrel-driver --help' for the options.\n");
        EXPECT_EQ(driver.output(), "");
    }
}

} // namespace
} // namespace vantrel
