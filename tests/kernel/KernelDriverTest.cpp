// vantrel-driver on a real kernel: fake sticks made through uinput, the driver's virtual
// devices read back through evdev, with the kernel's event times.
#include "KernelTestSupport.h"

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <regex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace vantrel::test {
namespace {

using namespace std::chrono_literals;

constexpr const char* kStickName = "Kernel test stick";
// The generic map's buttons: index i is BTN_TRIGGER + i.
constexpr unsigned kTrigger = BTN_TRIGGER;
constexpr unsigned kFireA = BTN_TRIGGER + 1;
constexpr unsigned kFireB = BTN_TRIGGER + 2;
constexpr unsigned kLaunch = BTN_TRIGGER + 3;
constexpr unsigned kFireD = BTN_TRIGGER + 4;
constexpr unsigned kFireC = BTN_TRIGGER + 7;

// How late a played event may be on the emulated machine: a sanitized build spends many times
// longer on each step, the optimised one is held to the tighter bound.
#if defined(__SANITIZE_ADDRESS__)
constexpr double kLateMs = 150.0;
#else
constexpr double kLateMs = 60.0;
#endif

// A played event against its time in the script, counted from the control's change: never
// early (the kernel stamps the change after it was sent), and late by no more than kLateMs.
void expectAt(const std::optional<input_event>& event, const FakeDevice& from, double atMs) {
    ASSERT_TRUE(event) << "nothing played at " << atMs << " ms";
    const double offset = eventMilliseconds(*event) - from.lastSentMs();
    EXPECT_GE(offset, atMs) << describe(*event);
    EXPECT_LE(offset, atMs + kLateMs) << describe(*event);
}

// The keys that went down among events.
std::vector<unsigned> keysDown(const std::vector<input_event>& events) {
    std::vector<unsigned> keys;
    for (const input_event& event : events)
        if (event.type == EV_KEY && event.value == 1)
            keys.push_back(event.code);
    return keys;
}

TEST_F(KernelDriverTest, MirrorsTheStickWithoutAProfile) {
    FakeDevice stick(genericStick(kStickName));
    startDriver();
    EXPECT_TRUE(driver_->waitForLog("input " + stick.devnode() + " (" + kStickName + ")"));
    const auto joystick = DeviceReader::open(kVirtualJoystick);
    ASSERT_TRUE(joystick);

    stick.press(kFireB, true); // button 3 is DirectX button 3
    EXPECT_TRUE(joystick->waitFor(EV_KEY, BTN_THUMB2, 1));
    stick.press(kFireB, false);
    EXPECT_TRUE(joystick->waitFor(EV_KEY, BTN_THUMB2, 0));
    stick.move(ABS_X, 16000);
    EXPECT_TRUE(joystick->waitFor(EV_ABS, ABS_X, 16000));
    stick.move(ABS_RX, -20000);
    EXPECT_TRUE(joystick->waitFor(EV_ABS, ABS_RX, -20000));
    stick.move(ABS_HAT1Y, -1); // ThrottleHat1 up
    EXPECT_TRUE(joystick->waitFor(EV_ABS, ABS_HAT1Y, -1));
}

TEST_F(KernelDriverTest, PlaysKeysWithTheirDelays) {
    FakeDevice stick(genericStick(kStickName));
    startDriver();
    loadProfile();
    const auto keyboard = DeviceReader::open(kVirtualKeyboardMouse);
    ASSERT_TRUE(keyboard);

    // Chord: lshift^30 x^120 X^40 LSHIFT
    stick.press(kLaunch, true);
    expectAt(keyboard->waitFor(EV_KEY, KEY_LEFTSHIFT, 1), stick, 0);
    expectAt(keyboard->waitFor(EV_KEY, KEY_X, 1), stick, 30);
    expectAt(keyboard->waitFor(EV_KEY, KEY_X, 0), stick, 150);
    expectAt(keyboard->waitFor(EV_KEY, KEY_LEFTSHIFT, 0), stick, 190);
    stick.press(kLaunch, false);

    // Pulse: k K, the release after the default press delay of 10 ms.
    stick.press(kTrigger, true);
    expectAt(keyboard->waitFor(EV_KEY, KEY_K, 1), stick, 0);
    expectAt(keyboard->waitFor(EV_KEY, KEY_K, 0), stick, 10);
}

TEST_F(KernelDriverTest, PlaysMouseButtonsAndMoves) {
    FakeDevice stick(genericStick(kStickName));
    startDriver();
    loadProfile();
    const auto mouse = DeviceReader::open(kVirtualKeyboardMouse);
    ASSERT_TRUE(mouse);

    stick.press(kFireB, true); // Click: mouse1^30 MOUSE1
    expectAt(mouse->waitFor(EV_KEY, BTN_LEFT, 1), stick, 0);
    expectAt(mouse->waitFor(EV_KEY, BTN_LEFT, 0), stick, 30);

    stick.press(kFireC, true); // Nudge: MOUSERIGHT_7 MOUSEDOWN_3
    EXPECT_TRUE(mouse->waitFor(EV_REL, REL_X, 7));
    EXPECT_TRUE(mouse->waitFor(EV_REL, REL_Y, 3));
}

TEST_F(KernelDriverTest, PlaysHatsAndKeepsButtonsToTheProfile) {
    FakeDevice stick(genericStick(kStickName));
    startDriver();
    loadProfile();
    const auto joystick = DeviceReader::open(kVirtualJoystick);
    ASSERT_TRUE(joystick);

    stick.move(ABS_HAT0Y, -1); // StickHat1 up: LookUp
    EXPECT_TRUE(joystick->waitFor(EV_ABS, ABS_HAT0Y, -1));
    stick.move(ABS_HAT0Y, 0); // centred: LookCenter
    EXPECT_TRUE(joystick->waitFor(EV_ABS, ABS_HAT0Y, 0));
    // With a profile a button acts only through it: the trigger types k, no joystick button.
    stick.press(kTrigger, true);
    for (const input_event& event : joystick->drain())
        EXPECT_NE(event.type, EV_KEY) << describe(event);
}

TEST_F(KernelDriverTest, AxisChainFiresAtEachBreakpointUpAndDown) {
    FakeDevice stick(genericStick(kStickName));
    startDriver();
    loadProfile();
    const auto keyboard = DeviceReader::open(kVirtualKeyboardMouse);
    const auto joystick = DeviceReader::open(kVirtualJoystick);
    ASSERT_TRUE(keyboard && joystick);

    // RAxis (ABS_RX) plays the chain Gear, breakpoints at -10000 and 10000: GearDown (g)
    // upwards, GearUp (u) downwards.
    stick.move(ABS_RX, -32767);
    keyboard->drain();
    stick.move(ABS_RX, 0);
    EXPECT_EQ(keysDown(keyboard->drain()), std::vector<unsigned>{KEY_G});
    stick.move(ABS_RX, 32767);
    EXPECT_EQ(keysDown(keyboard->drain()), std::vector<unsigned>{KEY_G});
    // One breakpoint at a time, as a real axis travels: the kernel drops a key press that
    // repeats one still held, so two crossings in one report would show as one.
    stick.move(ABS_RX, 0);
    EXPECT_EQ(keysDown(keyboard->drain()), std::vector<unsigned>{KEY_U});
    stick.move(ABS_RX, -32767);
    EXPECT_EQ(keysDown(keyboard->drain()), std::vector<unsigned>{KEY_U});
    // The axis itself still reaches the virtual joystick.
    EXPECT_TRUE(joystick->waitFor(EV_ABS, ABS_RX, 32767));
    EXPECT_TRUE(joystick->waitFor(EV_ABS, ABS_RX, 0));
    EXPECT_TRUE(joystick->waitFor(EV_ABS, ABS_RX, -32767));
}

TEST_F(KernelDriverTest, UnplugWithAKeyHeldReleasesItAndTakesTheStickBack) {
    auto stick = std::make_unique<FakeDevice>(genericStick(kStickName));
    startDriver();
    loadProfile();
    const auto keyboard = DeviceReader::open(kVirtualKeyboardMouse);
    ASSERT_TRUE(keyboard);
    stick->press(kFireA, true); // Held: h, released by FireA's release
    ASSERT_TRUE(keyboard->waitFor(EV_KEY, KEY_H, 1));

    stick.reset();
    EXPECT_TRUE(keyboard->waitFor(EV_KEY, KEY_H, 0));
    EXPECT_TRUE(driver_->waitForLog("input lost"));
    const std::size_t before = driver_->log().size();
    stick = std::make_unique<FakeDevice>(genericStick(kStickName));
    EXPECT_TRUE(driver_->waitForLog("input " + stick->devnode() + " (" + kStickName + ")", before));
    EXPECT_FALSE(std::regex_search(
        driver_->log(),
        std::regex(std::string("input /dev/input/event[0-9]+ \\(") + kVirtualJoystick)))
        << "the driver took its own virtual joystick";
    stick->press(kTrigger, true);
    EXPECT_TRUE(keyboard->waitFor(EV_KEY, KEY_K, 1));
}

TEST_F(KernelDriverTest, StartedBeforeTheStickWaitsForItNotForItsOwnJoystick) {
    // The virtual joystick appears to udev as a joystick like any other, after the driver's
    // start: it must not be taken while the driver waits.
    driver_ =
        std::make_unique<DriverProcess>(std::vector<std::string>{}, std::vector<std::string>{});
    ASSERT_TRUE(driver_->waitForLog("waiting for a joystick"));
    ASSERT_TRUE(DeviceReader::open(kVirtualJoystick));
    FakeDevice stick(genericStick(kStickName));
    EXPECT_TRUE(driver_->waitForLog("input " + stick.devnode() + " (" + kStickName + ")"));
    EXPECT_EQ(driver_->log().find(std::string("input /dev/input/event")),
              driver_->log().find("input " + stick.devnode()))
        << "the driver took another device first";
}

TEST_F(KernelDriverTest, SigtermWithKeysHeldLetsReadersSeeTheReleases) {
    // The controls come through a pipe of raw input_event records: closing a grabbed stick
    // at the stop costs the kernel a while, which would hide how soon the devices go.
    const std::string pipe = file("stick");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    driver_ = std::make_unique<DriverProcess>(std::vector<std::string>{"--device", pipe},
                                              std::vector<std::string>{});
    ASSERT_TRUE(driver_->waitForLog("input " + pipe));
    loadProfile();
    const auto keyboard = DeviceReader::open(kVirtualKeyboardMouse);
    const auto joystick = DeviceReader::open(kVirtualJoystick);
    ASSERT_TRUE(keyboard && joystick);
    const int writer = ::open(pipe.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    const input_event presses[] = {{{}, EV_KEY, static_cast<__u16>(kFireA), 1}, // Held: h
                                   {{}, EV_KEY, static_cast<__u16>(kFireD), 1}, // Gun: DX 1
                                   {{}, EV_SYN, SYN_REPORT, 0}};
    ASSERT_EQ(::write(writer, presses, sizeof presses), static_cast<ssize_t>(sizeof presses));
    ASSERT_TRUE(keyboard->waitFor(EV_KEY, KEY_H, 1));
    ASSERT_TRUE(joystick->waitFor(EV_KEY, BTN_TRIGGER, 1));
    keyboard->drain(milliseconds(100));
    joystick->drain(milliseconds(100));

    // A game reads its input once a frame: the releases must still be there a frame after
    // they came, each closed by its report. The joystick is the first device to go.
    ::kill(driver_->pid(), SIGTERM);
    ASSERT_TRUE(joystick->waitReadable());
    std::this_thread::sleep_for(16ms);
    for (DeviceReader* reader : {joystick.get(), keyboard.get()}) {
        const unsigned code = reader == keyboard.get() ? KEY_H : BTN_TRIGGER;
        const auto release = reader->next();
        ASSERT_TRUE(release) << (reader->gone() ? "the device went first" : "no release");
        EXPECT_EQ(describe(*release), describe({{}, EV_KEY, static_cast<__u16>(code), 0}));
        const auto report = reader->next();
        ASSERT_TRUE(report);
        EXPECT_EQ(describe(*report), "EV_SYN SYN_REPORT 0");
    }
    EXPECT_EQ(driver_->wait(), 0);
    ::close(writer);
    EXPECT_FALSE(keyboard->next(2000ms)) << "the virtual keyboard stayed";
    EXPECT_TRUE(keyboard->gone() && !joystick->next() && joystick->gone());
}

TEST_F(KernelDriverTest, KeepsTheProfileForTheNextStart) {
    FakeDevice stick(genericStick(kStickName));
    startDriver();
    loadProfile();
    EXPECT_EQ(stopDriver(), 0);
    startDriver();
    EXPECT_TRUE(driver_->waitForLog("kept profile loaded from"));
    const auto keyboard = DeviceReader::open(kVirtualKeyboardMouse);
    ASSERT_TRUE(keyboard);
    stick.press(kTrigger, true);
    EXPECT_TRUE(keyboard->waitFor(EV_KEY, KEY_K, 1));
}

TEST_F(KernelDriverTest, CombinesAButtonOfOneDeviceWithAnAxisOfAnother) {
    FakeDeviceSetup throttleSetup = genericStick("Kernel test throttle");
    throttleSetup.product += 1;
    FakeDevice stick(genericStick(kStickName));
    FakeDevice throttle(throttleSetup);
    std::ofstream(file("two.map")) << "device stick = 1d50:6036 \"" << kStickName << "\"\n"
                                   << "device throttle = 1d50:6037\n"
                                   << "Trigger = stick BTN_TRIGGER\n"
                                   << "ZAxis = throttle ABS_Z\n";
    startDriver({"--map", file("two.map")});
    EXPECT_TRUE(driver_->waitForLog("input " + throttle.devnode()));
    EXPECT_TRUE(driver_->waitForLog("input " + stick.devnode()));
    const auto joystick = DeviceReader::open(kVirtualJoystick);
    ASSERT_TRUE(joystick);

    // Each control comes from its own device only.
    throttle.press(BTN_TRIGGER, true);
    stick.move(ABS_Z, 5000);
    for (const input_event& event : joystick->drain())
        EXPECT_EQ(event.type, EV_SYN) << describe(event);
    stick.press(BTN_TRIGGER, true);
    EXPECT_TRUE(joystick->waitFor(EV_KEY, BTN_TRIGGER, 1));
    throttle.move(ABS_Z, -12000);
    EXPECT_TRUE(joystick->waitFor(EV_ABS, ABS_Z, -12000));
}

TEST_F(KernelDriverTest, SdlSeesTheVirtualJoystick) {
    FakeDevice stick(genericStick(kStickName));
    startDriver();
    ASSERT_TRUE(DeviceReader::open(kVirtualJoystick));
    std::atomic<bool> done = false;
    ProgramRun view;
    std::thread game([&] {
        view = runProgram({VANTREL_SDL_VIEW, kVirtualJoystick});
        done = true;
    });
    // The trigger is worked until the view has seen a press (or given up).
    for (bool down = true; !done; down = !down) {
        stick.press(kTrigger, down);
        std::this_thread::sleep_for(100ms);
    }
    game.join();
    EXPECT_EQ(view.status, 0) << view.output;
    EXPECT_NE(view.output.find("Vantrel virtual joystick: 6 axes, 64 buttons, 4 hats\n"),
              std::string::npos)
        << view.output;
    EXPECT_NE(view.output.find("button 0 down\n"), std::string::npos) << view.output;
}

} // namespace
} // namespace vantrel::test
