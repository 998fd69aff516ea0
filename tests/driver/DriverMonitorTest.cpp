// The driver's monitor stream as its clients see it: the state on connect, then every control
// change with its origin and what it played, with the driver fed from a pipe of raw
// input_event records and profiles sent through its socket; a client's request to learn a
// control.
#include "DriverProcess.h"

#include "device/DeviceProgrammer.h"
#include "device/ProfileDigest.h"
#include "files/ProfileTranslator.h"
#include "io/ControlMapText.h"
#include "platform/posix/PosixDriverConnection.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <linux/input.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace vantrel {
namespace {

using driver::ControlMap;
using driver::loadControlMap;

using test::DriverProcess;
using ::testing::ElementsAre;
using ::testing::MatchesRegex;

// Scripts 0 _NULL, 1 Fire, 2 ToCombat, 3 ToDefault; configurations DEFAULT (0), Combat (2).
const char* const kTwoModes = "DEFAULT_PRESS_DELAY=10\nDEFAULT_RELEASE_DELAY=10\n"
                              "<SCRIPTLIST>\n_NULL\nFire a\nToCombat LOADMODE_Combat\n"
                              "ToDefault LOADMODE_DEFAULT\n"
                              "<PROGRAM_MODES>\n[DEFAULT]\nTriggerPress = Fire\n"
                              "FireAPress = ToCombat\nFireBPress = ToDefault\n{DEFAULT}\n"
                              "[Combat]\n{Combat}\n";

std::vector<std::uint8_t> twoModes() {
    DiagnosticList diagnostics;
    return ProfileTranslator("/tmp/monitor.vtp", kTwoModes, diagnostics)
        .deviceBytes()
        .value_or(std::vector<std::uint8_t>{});
}

// A client of the monitor stream that reads only when asked to.
class MonitorReader {
public:
    explicit MonitorReader(const std::string& path)
        : fd_(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        connected_ =
            ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }
    ~MonitorReader() { ::close(fd_); }
    MonitorReader(const MonitorReader&) = delete;
    MonitorReader& operator=(const MonitorReader&) = delete;

    bool connected() const { return connected_; }
    void send(const std::string& line) {
        const std::string whole = line + "\n";
        EXPECT_EQ(::send(fd_, whole.data(), whole.size(), MSG_NOSIGNAL), ssize_t(whole.size()));
    }
    // The lines up to and with the first that starts with `start`; what came before it alone
    // when none does within 10 s or the stream ends.
    std::vector<std::string> until(const std::string& start) {
        std::vector<std::string> lines;
        for (;;) {
            for (std::size_t end; (end = buffer_.find('\n')) != std::string::npos;) {
                lines.push_back(buffer_.substr(0, end));
                buffer_.erase(0, end + 1);
                if (lines.back().starts_with(start))
                    return lines;
            }
            pollfd wait{fd_, POLLIN, 0};
            char bytes[4096];
            const ssize_t count =
                ::poll(&wait, 1, 10000) == 1 ? ::read(fd_, bytes, sizeof bytes) : 0;
            if (count <= 0)
                return lines;
            buffer_.append(bytes, static_cast<std::size_t>(count));
        }
    }

private:
    int fd_;
    bool connected_ = false;
    std::string buffer_;
};

class DriverMonitorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        std::filesystem::create_directories(folder.file("run"));
    }
    void TearDown() override {
        if (stick >= 0)
            ::close(stick);
    }

    std::vector<std::string> environment() const {
        return {"XDG_RUNTIME_DIR=" + folder.file("run"), "XDG_STATE_HOME=" + folder.file("state"),
                "XDG_CONFIG_HOME=" + folder.file("config"), "ASAN_OPTIONS=detect_leaks=1"};
    }
    std::unique_ptr<DriverProcess> start(std::vector<std::string> more = {}) {
        std::vector<std::string> arguments{"--device", fifo, "--output", "print"};
        arguments.insert(arguments.end(), more.begin(), more.end());
        auto driver = std::make_unique<DriverProcess>(arguments, environment());
        EXPECT_TRUE(driver->waitForLog("input " + fifo)) << driver->log();
        stick = ::open(fifo.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
        EXPECT_GE(stick, 0);
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
    // Frames of raw events written to the stick at once.
    void write(const std::vector<std::pair<int, std::pair<int, int>>>& frames) {
        std::vector<input_event> events;
        for (const auto& [type, codeAndValue] : frames) {
            events.push_back({{},
                              static_cast<std::uint16_t>(type),
                              static_cast<std::uint16_t>(codeAndValue.first),
                              codeAndValue.second});
            events.push_back({{}, EV_SYN, SYN_REPORT, 0});
        }
        // Not blocking, so a driver that stops reading fails the test instead of hanging it.
        const auto* bytes = reinterpret_cast<const char*>(events.data());
        std::size_t left = events.size() * sizeof(input_event);
        while (left > 0) {
            pollfd wait{stick, POLLOUT, 0};
            ASSERT_EQ(::poll(&wait, 1, 10000), 1) << "the driver no longer reads its stick";
            const ssize_t written = ::write(stick, bytes, left);
            ASSERT_GT(written, 0);
            bytes += written;
            left -= static_cast<std::size_t>(written);
        }
    }
    std::string control(int code, const char* name, int raw, const char* x36) const {
        return "control device=" + fifo + " type=EV_KEY code=" + std::to_string(code) +
               " event=" + name + " raw=" + std::to_string(raw) + " control=" + x36 +
               " value=" + std::to_string(raw);
    }

    test::DriverFolder folder;
    const std::string fifo = folder.file("stick");
    const std::string socket = folder.file("run") + "/X36Program";
    const std::string monitor = folder.file("run") + "/X36Monitor";
    int stick = -1;
};

TEST_F(DriverMonitorTest, ClientsSeeTheStateThenEachChangeWithItsOriginAndWhatItPlayed) {
    std::unique_ptr<DriverProcess> driver = start();
    MonitorReader first(monitor);
    ASSERT_TRUE(first.connected());
    EXPECT_THAT(first.until("ready"),
                ElementsAre("driver output=\"print (a line per action on standard output)\"",
                            "profile none", "mode active=0",
                            "device held path=" + fifo + " name=\"raw input_event records\"",
                            "ready"));
    ASSERT_TRUE(send(twoModes()).loaded);
    EXPECT_THAT(first.until("profile").back(),
                MatchesRegex("profile loaded scripts=4 modes=2 chains=0 from=client "
                             "loaded=20[0-9-]+T[0-9:]+Z digest=" +
                             deviceFileDigest(twoModes())));

    MonitorReader second(monitor); // comes later, and sees the profile as held
    const std::vector<std::string> state = second.until("ready");
    ASSERT_EQ(state.size(), 5u);
    EXPECT_THAT(state[1], MatchesRegex("profile held scripts=4 modes=2 chains=0 from=client "
                                       "loaded=20[0-9-]+T[0-9:]+Z digest=[0-9a-f]{16}"));

    // FireB switches to DEFAULT, which is active: a script starts, but no mode switch is told.
    write({{EV_KEY, {BTN_THUMB2, 1}},
           {EV_KEY, {BTN_TRIGGER, 1}},
           {EV_KEY, {BTN_THUMB, 1}},
           {EV_KEY, {BTN_TOP, 1}}});
    for (MonitorReader* client : {&first, &second})
        EXPECT_THAT(
            client->until("unassigned"),
            ElementsAre(control(BTN_THUMB2, "BTN_THUMB2", 1, "FireB"), "script number=3 mode=0",
                        control(BTN_TRIGGER, "BTN_TRIGGER", 1, "Trigger"), "script number=1 mode=0",
                        "action key-down usage=4 key=a",
                        control(BTN_THUMB, "BTN_THUMB", 1, "FireA"), "script number=2 mode=0",
                        "mode from=0 to=2", control(BTN_TOP, "BTN_TOP", 1, "Launch"),
                        "unassigned control=Launch value=1 mode=2"));

    std::vector<std::uint8_t> wrong = twoModes();
    wrong[0] = 5;
    const DeviceResult refused = send(wrong);
    EXPECT_TRUE(refused.log.ends_with("Reason:  version 5; the device takes version 4\n"))
        << refused.log;
    EXPECT_EQ(first.until("profile").back(),
              "profile refused reply=2 reason=\"version 5; the device takes version 4\"");

    // A clear with no load after it.
    {
        platform::PosixDriverConnection connection(socket);
        const std::optional<platform::DriverHandle> handle = connection.openDriver();
        ASSERT_TRUE(handle.has_value());
        std::uint8_t byte = 3;
        ASSERT_EQ(connection.write(*handle, std::span(&byte, 1)), std::size_t{1});
        ASSERT_EQ(connection.read(*handle, std::span(&byte, 1)), std::size_t{1});
        connection.close(*handle);
    }
    EXPECT_EQ(first.until("profile").back(), "profile cleared");
    EXPECT_EQ(driver->stop(), 0);
    EXPECT_EQ(second.until("profile cleared").back(), "profile cleared");
    EXPECT_FALSE(std::filesystem::exists(monitor));
}

TEST_F(DriverMonitorTest, AClientThatStopsReadingNeverHoldsTheDriverUp) {
    std::unique_ptr<DriverProcess> driver = start();
    ASSERT_TRUE(send(twoModes()).loaded);
    MonitorReader stuck(monitor);
    ASSERT_EQ(stuck.until("ready").size(), 5u);

    // Far more records than the client's socket and queue hold, while it reads nothing.
    std::vector<std::pair<int, std::pair<int, int>>> sweep;
    for (int i = 0; i < 4000; ++i)
        sweep.push_back({EV_ABS, {ABS_X, i % 2 == 0 ? 1000 : -1000}});
    write(sweep);
    write({{EV_KEY, {BTN_TRIGGER, 1}}});
    EXPECT_TRUE(driver->waitForOutput("key down, usage 4")) << "the driver played on";

    // Reading again, the client learns what it missed, then where things stand.
    const std::vector<std::string> caughtUp = stuck.until("dropped");
    ASSERT_FALSE(caughtUp.empty());
    EXPECT_THAT(caughtUp.back(), MatchesRegex("dropped records=[0-9]+"));
    const std::vector<std::string> state = stuck.until("ready");
    ASSERT_EQ(state.size(), 5u);
    EXPECT_THAT(state[1], MatchesRegex("profile held scripts=4 .*"));
    write({{EV_KEY, {BTN_TRIGGER, 0}}});
    EXPECT_EQ(stuck.until("control").back(), control(BTN_TRIGGER, "BTN_TRIGGER", 0, "Trigger"));
    EXPECT_EQ(driver->stop(), 0);
}

TEST_F(DriverMonitorTest, AClientAsksForAControlAndTheNextPressBindsItInTheMapFile) {
    const std::string map = folder.file("controls.map");
    const std::string before = "Trigger = BTN_TRIGGER\nFireA = BTN_THUMB\n";
    std::ofstream(map) << before;
    std::unique_ptr<DriverProcess> driver = start({"--map", map});
    MonitorReader client(monitor);
    ASSERT_EQ(client.until("ready").size(), 5u);

    client.send("learn control=Nose");
    EXPECT_EQ(client.until("learn").back(),
              "learn failed control=Nose reason=\"not a control of the X36\"");
    client.send("learn control=FireC");
    EXPECT_EQ(client.until("learn").back(), "learn waiting control=FireC");
    client.send("learn cancel");
    EXPECT_EQ(client.until("learn").back(), "learn cancelled control=FireC");

    // BTN_THUMB was FireA's: FireB takes it, and FireA is unbound. The press itself plays not.
    client.send("learn control=FireB");
    EXPECT_EQ(client.until("learn").back(), "learn waiting control=FireB");
    write({{EV_KEY, {BTN_THUMB, 1}}, {EV_KEY, {BTN_THUMB, 0}}});
    EXPECT_EQ(client.until("learn").back(), "learn bound control=FireB device=" + fifo +
                                                " code=BTN_THUMB unbound=FireA map=" + map);
    std::ifstream kept(map + "~");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), before);
    ControlMap saved;
    std::vector<std::string> errors;
    ASSERT_TRUE(loadControlMap(map, saved, errors));
    EXPECT_EQ(saved.buttons[2], BTN_THUMB);
    EXPECT_EQ(saved.buttons[1], -1);
    EXPECT_EQ(saved.buttons[0], BTN_TRIGGER);

    write({{EV_KEY, {BTN_THUMB, 1}}});
    EXPECT_EQ(client.until("control").back(), control(BTN_THUMB, "BTN_THUMB", 1, "FireB"));
    EXPECT_TRUE(driver->waitForOutput("button down 3")) << driver->output();
    EXPECT_EQ(driver->output().find("button down 2"), std::string::npos) << driver->output();
    EXPECT_EQ(driver->stop(), 0);
}

TEST_F(DriverMonitorTest, TheMonitorCommandPrintsTheRecordsUntilTheDriverEnds) {
    DriverProcess alone({"--monitor"}, environment());
    EXPECT_EQ(alone.wait(), 1);
    EXPECT_THAT(alone.log(), ::testing::HasSubstr("vantrel-driver: no driver is running"));
    EXPECT_THAT(alone.log(),
                ::testing::HasSubstr("Start it with: systemctl --user start vantrel-driver\n"));

    std::unique_ptr<DriverProcess> driver = start();
    DriverProcess watching({"--monitor"}, environment());
    EXPECT_TRUE(watching.waitForOutput("ready\n")) << watching.log();
    write({{EV_KEY, {BTN_TRIGGER, 1}}});
    // Without a profile the virtual joystick mirrors the stick.
    EXPECT_TRUE(watching.waitForOutput(control(BTN_TRIGGER, "BTN_TRIGGER", 1, "Trigger") +
                                       "\naction button-down button=1\n"))
        << watching.output();
    EXPECT_EQ(driver->stop(), 0);
    EXPECT_EQ(watching.wait(), 0);
    EXPECT_THAT(watching.log(), ::testing::HasSubstr("the driver has stopped"));
}

} // namespace
} // namespace vantrel
