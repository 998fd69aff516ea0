// vantrel-driver --learn and --monitor on a real kernel, against fake joysticks made through
// uinput: what a pilot with a separate stick and throttle does before and while flying.
#include "KernelTestSupport.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

namespace vantrel::test {
namespace {

constexpr const char* kStickName = "Kernel test stick";
constexpr const char* kThrottleName = "Kernel test throttle";

FakeDeviceSetup throttleSetup() {
    FakeDeviceSetup setup = genericStick(kThrottleName);
    setup.product += 1; // 1d50:6037, beside the stick's 1d50:6036
    return setup;
}

std::string contents(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Answers each prompt of `vantrel-driver --learn` as a script does: it waits for the prompt
// (the control's name, a colon, the question, " ... "), lets work() act on the control it
// names, and presses Enter where work() did nothing.
void answerPrompts(DriverProcess& learn, const std::function<bool(const std::string&)>& work) {
    std::size_t from = 0;
    while (learn.waitForOutput(" ... ", from)) {
        const std::string output = learn.output();
        const std::size_t end = output.find(" ... ", from);
        const std::size_t start = output.rfind('\n', end) + 1;
        const std::string prompt = output.substr(start, end - start);
        from = end + 5;
        const std::string control = prompt.substr(0, prompt.find(':'));
        ASSERT_NE(prompt.find(": "), std::string::npos) << "not a prompt: " << prompt;
        if (!work(control)) {
            ASSERT_TRUE(learn.answer("\n")) << "the learning ended at " << prompt;
        }
    }
}

TEST_F(KernelDriverTest, LearnsAStickAndAThrottleIntoOneMapThatPlays) {
    FakeDevice stick(genericStick(kStickName));
    FakeDevice throttle(throttleSetup());
    const std::string map = file("config") + "/vantrel/controls.map";
    std::filesystem::create_directories(file("config") + "/vantrel");
    const std::string before = std::string("device stick = 1d50:6036 \"") + kStickName + "\"\n" +
                               "FireC = stick BTN_BASE4\n";
    std::ofstream(map) << before;

    DriverProcess learn({"--learn"}, {}, DriverProcess::Input::Answers);
    answerPrompts(learn, [&](const std::string& control) {
        if (control == "Trigger") {
            stick.press(BTN_BASE2, true);
            stick.press(BTN_BASE2, false);
        } else if (control == "ZAxis") {
            throttle.move(ABS_RY, 30000);
        } else {
            return false;
        }
        return true;
    });
    ASSERT_EQ(learn.wait(), 0) << learn.output() << learn.log();
    EXPECT_NE(learn.output().find(
                  "Trigger: pull the trigger on the front of the stick's grip ... BTN_BASE2\n"),
              std::string::npos)
        << learn.output();

    // Both devices named, each control bound to its own, the skipped FireC as it was.
    const std::string learnt = contents(map);
    for (const std::string& line :
         {std::string("device stick = 1d50:6036 \"") + kStickName + "\"\n",
          std::string("device kernel-test-throttle = 1d50:6037 \"") + kThrottleName + "\"\n",
          std::string("Trigger = stick BTN_BASE2\n"), std::string("FireC = stick BTN_BASE4\n"),
          std::string("ZAxis = kernel-test-throttle ABS_RY\n")})
        EXPECT_NE(learnt.find("\n" + line), std::string::npos) << line << "is not in:\n" << learnt;
    EXPECT_EQ(contents(map + "~"), before);

    // The service takes the learnt map: the trigger comes from the stick alone, the throttle
    // lever from the throttle alone.
    startDriver();
    EXPECT_TRUE(driver_->waitForLog("input " + stick.devnode()));
    EXPECT_TRUE(driver_->waitForLog("input " + throttle.devnode()));
    const auto joystick = DeviceReader::open(kVirtualJoystick);
    ASSERT_TRUE(joystick);
    throttle.press(BTN_BASE2, true);
    stick.move(ABS_RY, -5000);
    for (const input_event& event : joystick->drain())
        EXPECT_EQ(event.type, EV_SYN) << describe(event);
    stick.press(BTN_BASE2, true);
    EXPECT_TRUE(joystick->waitFor(EV_KEY, BTN_TRIGGER, 1));
    throttle.move(ABS_RY, -12000);
    EXPECT_TRUE(joystick->waitFor(EV_ABS, ABS_Z, -12000));
}

TEST_F(KernelDriverTest, LearningWhileTheDriverHoldsTheStickSaysHowToStopIt) {
    FakeDevice stick(genericStick(kStickName));
    startDriver();
    const ProgramRun learn = runProgram({VANTREL_DRIVER, "--learn", file("new.map")});
    EXPECT_EQ(learn.status, 1) << learn.output;
    EXPECT_NE(learn.output.find(stick.devnode() + " (" + kStickName +
                                ") is held by another program, most likely the driver's service: "
                                "stop it with 'systemctl --user stop vantrel-driver'"),
              std::string::npos)
        << learn.output;
    EXPECT_FALSE(std::filesystem::exists(file("new.map")));
}

TEST_F(KernelDriverTest, MonitorShowsADeviceGainedWorkedAndLost) {
    driver_ =
        std::make_unique<DriverProcess>(std::vector<std::string>{}, std::vector<std::string>{});
    ASSERT_TRUE(driver_->waitForLog("waiting for a joystick"));
    DriverProcess monitor({"--monitor"}, {});
    ASSERT_TRUE(monitor.waitForOutput("ready\n")) << monitor.log();

    auto stick = std::make_unique<FakeDevice>(genericStick(kStickName));
    const std::string devnode = stick->devnode();
    EXPECT_TRUE(
        monitor.waitForOutput("device gained path=" + devnode + " name=\"" + kStickName + "\"\n"))
        << monitor.output();
    stick->press(BTN_THUMB2, true);
    EXPECT_TRUE(monitor.waitForOutput("control device=" + devnode +
                                      " type=EV_KEY code=" + std::to_string(BTN_THUMB2) +
                                      " event=BTN_THUMB2 raw=1 "
                                      "control=FireB value=1\n"))
        << monitor.output();
    stick.reset();
    EXPECT_TRUE(monitor.waitForOutput("device lost path=" + devnode)) << monitor.output();
    EXPECT_EQ(stopDriver(), 0);
    EXPECT_EQ(monitor.wait(), 0) << monitor.log();
}

} // namespace
} // namespace vantrel::test
