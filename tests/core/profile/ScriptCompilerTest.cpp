#include "profile/ScriptCompiler.h"

#include "support/core/RecordedMessages.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using platform::Message;

class ScriptCompilerTest : public ::testing::Test {
protected:
    ScriptEvent compile(std::string_view token) { return compiler.compile(token); }
    static ScriptEvent event(int oc, int data, int delay) {
        ScriptEvent e;
        e.oc = static_cast<std::uint8_t>(oc);
        e.data = static_cast<std::int16_t>(data);
        e.delay = delay;
        return e;
    }

    DiagnosticList diagnostics;
    ScriptCompiler compiler{DefaultDelays{11, 22}, diagnostics};
};

TEST_F(ScriptCompilerTest, KeysWithTheirDelays) {
    EXPECT_EQ(compile("a"), event(0, 4, 11));
    EXPECT_EQ(compile("A^50"), event(1, 4, 50));
    EXPECT_EQ(compile("a^0"), event(0, 4, 11));
    EXPECT_EQ(compile("a^"), event(0, 4, 11));
    EXPECT_EQ(compile("a^-5"), event(0, 4, -5));
    EXPECT_EQ(compile("a^99999999999"), event(0, 4, 2147483647));
    EXPECT_EQ(compile("_1"), event(1, 30, 22));
    EXPECT_EQ(compile("1"), event(0, 30, 11));
    EXPECT_EQ(compile("0"), event(0, 39, 11));
    EXPECT_EQ(compile("_0"), event(1, 39, 22));
    EXPECT_EQ(compile("shift").data, 225);
    EXPECT_EQ(compile("lshift").data, 225);
    EXPECT_EQ(compile("capslock").data, 57);
    EXPECT_EQ(compile("f12").data, 69);
    EXPECT_EQ(compile("uparrow").data, 82);
    EXPECT_EQ(compile("kp_0").data, 98);
    EXPECT_EQ(compile("KP_PERIOD"), event(1, 99, 22));
    EXPECT_EQ(compile("RALT"), event(1, 230, 22));
    EXPECT_EQ(compile("LGUI").data, 227);
    EXPECT_TRUE(diagnostics.empty());
}

TEST_F(ScriptCompilerTest, ButtonsHatsAndMoves) {
    EXPECT_EQ(compile("dx_16"), event(2, 16, 11));
    EXPECT_EQ(compile("DX_64"), event(3, 64, 22));
    EXPECT_EQ(compile("mouse2"), event(8, 2, 11));
    EXPECT_EQ(compile("MOUSE3^7"), event(9, 3, 7));
    EXPECT_EQ(compile("hat_center"), event(4, 0, 0));
    EXPECT_EQ(compile("hat_upleft"), event(4, 8, 0));
    EXPECT_EQ(compile("MOUSELEFT_10"), event(10, -10, 0));
    EXPECT_EQ(compile("MOUSERIGHT_10"), event(10, 10, 0));
    EXPECT_EQ(compile("MOUSEDOWN_0x10"), event(11, 16, 0));
    EXPECT_EQ(compile("MOUSEUP_5^20"), event(11, -5, 20));
    EXPECT_EQ(compile("MOUSEDOWN_010"), event(11, 8, 0));
    EXPECT_EQ(compile("MOUSERIGHT_70000"), event(10, 70000 - 65536, 0)); // low 16 bits
    EXPECT_EQ(compile("MOUSERIGHT_x"), event(10, 0, 0));
    EXPECT_TRUE(diagnostics.empty());
}

TEST_F(ScriptCompilerTest, LoadMode) {
    const ScriptEvent e = compile("LOADMODE_Combat_2^9");
    EXPECT_EQ(e.oc, 5);
    EXPECT_EQ(e.data, 0);
    EXPECT_EQ(e.delay, 9);
    EXPECT_TRUE(e.loadsMode);
    EXPECT_EQ(e.modeName, "Combat_2");
    EXPECT_EQ(compile("LOADMODE").modeName, "LOADMODE");
    EXPECT_TRUE(diagnostics.empty());
}

TEST_F(ScriptCompilerTest, FaultyTokensAreReportedAndStillCompile) {
    EXPECT_EQ(compile("ret"), event(0, 0, 11));
    EXPECT_EQ(compile("xyz^3"), event(0, 0, 3));
    EXPECT_EQ(compile("RET"), event(1, 0, 22));
    EXPECT_EQ(compile("dx_"), event(2, 0, 11)); // begins dx_1 but equals no name
    EXPECT_EQ(compile("DX_^4"), event(3, 0, 4));
    EXPECT_EQ(compile("mouse"), event(8, 0, 11));
    EXPECT_EQ(compile("MOUSE"), event(9, 0, 22));
    EXPECT_EQ(compile("hat_"), event(4, 0, 0));
    EXPECT_EQ(compile("dx_65"), event(0, 0, 0));
    const std::vector<Message> expected = {
        {"Press key event data not recognized: ", "ret"},
        {"Event type not recognized: ", "xyz"},
        {"Release key event data not recognized: ", "RET"},
        {"DX press key event data not recognized: ", "dx_"},
        {"DX release key event data not recognized: ", "DX_"},
        {"Mouse button press key event data not recognized: ", "mouse"},
        {"Mouse Button release key event data not recognized: ", "MOUSE"},
        {"Hat direction set event data not recognized: ", "hat_"},
        {"Event type not recognized: ", "dx_65"},
    };
    EXPECT_EQ(testsupport::boxesOf(diagnostics), expected);
    EXPECT_EQ(diagnostics.count(Severity::Error), expected.size());
    for (const Diagnostic& fault : diagnostics.items())
        EXPECT_FALSE(fault.endsOperation) << fault.title;
}

} // namespace
} // namespace vantrel
