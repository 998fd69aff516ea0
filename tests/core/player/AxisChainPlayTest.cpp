#include "PlayerRig.h"

#include <gmock/gmock.h>

namespace vantrel::player::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr int kZAxis = 2;

// Ten groups of one breakpoint each, at -18000, -14000, ..., 18000: passing breakpoint i
// upwards presses DirectX button i, downwards releases it. Combat binds a one-point chain.
std::string tenBreakpoints() {
    std::string scripts = "<SCRIPTLIST>\n_NULL\nMid k\n";
    std::string chain = "<AXIS_CHAINS>\n[Sweep]\n";
    for (int i = 1; i <= 10; ++i) {
        const std::string n = std::to_string(i);
        scripts += "Up" + n + " dx_" + n + "\nDown" + n + " DX_" + n + "\n";
        const std::string at = std::to_string(-22000 + 4000 * i);
        chain += "(" + at + " : " + at + " ; 1) ( + Up" + n + "  - Down" + n + " )\n";
    }
    chain += "{Sweep}\n[Middle]\n(0 : 0 ; 1) ( + Mid  - Mid )\n{Middle}\n";
    return scripts + chain +
           "<PROGRAM_MODES>\n[DEFAULT]\nZAxis = Sweep\n{DEFAULT}\n[Combat]\nZAxis = Middle\n"
           "{Combat}\n";
}

std::vector<std::string> buttons(const char* what, std::vector<int> order, int at) {
    std::vector<std::string> lines;
    for (int button : order)
        lines.push_back(std::to_string(at) + " joystick button " + what + "  " +
                        std::to_string(button));
    return lines;
}

std::vector<std::string> withoutAxis(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& line : lines)
        if (line.find("joystick axis") == std::string::npos)
            out.push_back(line);
    return out;
}

TEST(AxisChainPlay, OneJumpPassesEveryBreakpointInCrossingOrder) {
    PlayerRig rig;
    rig.player.load(translated(tenBreakpoints()), 0ms);
    rig.axis(kZAxis, 0, 0ms); // the first reading only places the axis
    EXPECT_THAT(rig.sink.take(), ElementsAre("0 joystick axis  ZAxis 0"));

    rig.axis(kZAxis, -32767, 10ms);
    EXPECT_THAT(withoutAxis(rig.sink.take()), ElementsAreArray(buttons("up", {5, 4, 3, 2, 1}, 10)));
    rig.axis(kZAxis, 32767, 20ms);
    auto lines = rig.sink.take();
    EXPECT_EQ(lines.front(), "20 joystick axis  ZAxis 32767"); // the axis moves first
    EXPECT_THAT(withoutAxis(lines),
                ElementsAreArray(buttons("down", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 20)));
    rig.axis(kZAxis, -32767, 30ms);
    EXPECT_THAT(withoutAxis(rig.sink.take()),
                ElementsAreArray(buttons("up", {10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, 30)));
}

TEST(AxisChainPlay, SlowSweepFiresEachBreakpointOnceEachWay) {
    PlayerRig rig;
    rig.player.load(translated(tenBreakpoints()), 0ms);
    int ms = 0;
    for (int value = -32767; value <= 32767; value += 97)
        rig.axis(kZAxis, value, Time(std::chrono::milliseconds(ms++)));
    for (int value = 32767; value >= -32767; value -= 97)
        rig.axis(kZAxis, value, Time(std::chrono::milliseconds(ms++)));
    std::vector<std::string> order;
    for (const OutputAction& action : rig.sink.actions)
        if (action.kind != OutputAction::Kind::JoyAxis)
            order.push_back((action.kind == OutputAction::Kind::JoyButtonDown ? "+" : "-") +
                            std::to_string(action.code));
    EXPECT_THAT(order, ElementsAre("+1", "+2", "+3", "+4", "+5", "+6", "+7", "+8", "+9", "+10",
                                   "-10", "-9", "-8", "-7", "-6", "-5", "-4", "-3", "-2", "-1"));
}

TEST(AxisChainPlay, HysteresisKeepsANoisyAxisFromChattering) {
    PlayerRig rig(PlayerOptions{.axisHysteresis = 256});
    rig.player.load(translated(tenBreakpoints()), 0ms);
    // Breakpoint 1 lies at -18000.
    for (int value : {-20000, -18001, -18000, -18100, -17950, -18256, -18000, -17990})
        rig.axis(kZAxis, value, 0ms);
    EXPECT_THAT(withoutAxis(rig.sink.take()), ElementsAre("0 joystick button down  1"));
    rig.axis(kZAxis, -18257, 1ms); // more than the hysteresis below: it fires again
    rig.axis(kZAxis, -18001, 2ms);
    rig.axis(kZAxis, -18000, 3ms);
    EXPECT_THAT(withoutAxis(rig.sink.take()),
                ElementsAre("1 joystick button up  1", "3 joystick button down  1"));

    PlayerRig bare(PlayerOptions{.axisHysteresis = 0});
    bare.player.load(translated(tenBreakpoints()), 0ms);
    for (int value : {-20000, -18000, -18001, -18000})
        bare.axis(kZAxis, value, 0ms);
    EXPECT_THAT(withoutAxis(bare.sink.take()),
                ElementsAre("0 joystick button down  1", "0 joystick button up  1",
                            "0 joystick button down  1"));
}

TEST(AxisChainPlay, ASwitchedModeBindsItsOwnChainFromWhereTheAxisIs) {
    PlayerRig rig;
    const std::string text = tenBreakpoints();
    // The Combat switch is reached through a load-mode script on the trigger.
    const std::string withSwitch = text.substr(0, text.find("<AXIS_CHAINS>")) +
                                   "ToCombat LOADMODE_Combat\n" +
                                   text.substr(text.find("<AXIS_CHAINS>"));
    std::string modes = withSwitch;
    modes.replace(modes.find("ZAxis = Sweep\n"), 14, "ZAxis = Sweep\nTriggerPress = ToCombat\n");
    rig.player.load(translated(modes), 0ms);
    rig.axis(kZAxis, 1000, 0ms);
    rig.press(kTrigger, 1ms);
    ASSERT_EQ(rig.player.activeConfiguration(), 2);
    rig.axis(kZAxis, 5000, 2ms); // above Middle's 0 already: nothing
    rig.axis(kZAxis, -5000, 3ms);
    rig.axis(kZAxis, 5000, 4ms);
    EXPECT_THAT(withoutAxis(rig.sink.take()),
                ElementsAre("3 key down  k (usage 14)", "4 key down  k (usage 14)"));
}

TEST(AxisChainPlay, AxesWithoutAChainOnlyMove) {
    PlayerRig rig;
    rig.player.load(translated(tenBreakpoints()), 0ms);
    rig.axis(0, -32767, 0ms);
    rig.axis(0, 32767, 1ms);
    EXPECT_THAT(withoutAxis(rig.sink.take()), IsEmpty());
    EXPECT_FALSE(rig.player.holdsAnything());
}

} // namespace
} // namespace vantrel::player::test
