#include "profile/ScriptCompiler.h"

#include "profile/KeyNames.h"

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
        e.opcode = static_cast<EventOpcode>(oc);
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
    EXPECT_EQ(e.opcode, EventOpcode::LoadMode);
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
    EXPECT_EQ(compile(""), event(0, 0, 11)); // the empty body begins every press name
    EXPECT_EQ(compile("^7"), event(0, 0, 7));
    EXPECT_EQ(compile("kp_forwardslash_"), event(0, 0, 0)); // longer than any name
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
        {"Press key event data not recognized: ", ""},
        {"Press key event data not recognized: ", ""},
        {"Event type not recognized: ", "kp_forwardslash_"},
    };
    EXPECT_EQ(testsupport::boxesOf(diagnostics), expected);
    EXPECT_EQ(diagnostics.count(Severity::Error), expected.size());
    for (const Diagnostic& fault : diagnostics.items())
        EXPECT_FALSE(fault.endsOperation) << fault.title;
}

// Bodies that begin with a marker are decided without a search, which must give what the
// rules in their order give: "LOADMODE" anywhere wins over a movement, and an earlier
// movement rule over a later one wherever its marker lies.
TEST_F(ScriptCompilerTest, MarkersDecideInTheOrderOfTheRules) {
    const ScriptEvent load = compile("MOUSEUP_LOADMODE_Combat^3");
    EXPECT_EQ(load.opcode, EventOpcode::LoadMode);
    EXPECT_EQ(load.modeName, "LOADMODE_Combat"); // after the first '_'
    EXPECT_EQ(load.delay, 3);
    EXPECT_EQ(compile("xLOADMODE_Gear").modeName, "Gear");
    EXPECT_EQ(compile("LOADMODEx").modeName, "LOADMODEx");
    EXPECT_EQ(compile("LOADMODE_").modeName, "");
    EXPECT_EQ(compile("MOUSEDOWN_3MOUSERIGHT_4"), event(10, 3, 0));
    EXPECT_EQ(compile("MOUSEDOWN_3MOUSELEFT_4"), event(10, -3, 0));
    EXPECT_EQ(compile("MOUSEDOWN_3MOUSEUP_4"), event(11, -3, 0));
    EXPECT_EQ(compile("MOUSEUP_3MOUSEDOWN_4"), event(11, -3, 0));
    EXPECT_EQ(compile("MOUSELEFT_0x1f"), event(10, -31, 0));
    EXPECT_EQ(compile("MOUSEUP_ 12"), event(11, -12, 0)); // white space before the number
    EXPECT_EQ(compile("MOUSEUP_-2"), event(11, 2, 0));
    EXPECT_EQ(compile("MOUSEUP_Ml"), event(11, 0, 0));
    EXPECT_EQ(compile("xMOUSERIGHT_9"), event(10, 9, 0));
    EXPECT_EQ(compile("a_MOUSEUP_7"), event(11, 0, 0)); // the amount follows the first '_'
    EXPECT_TRUE(diagnostics.empty());
}

// A body found in the name table skips the marker rules, which is sound only while no name
// of any list holds a marker.
TEST_F(ScriptCompilerTest, NoListNameHoldsAMarker) {
    std::vector<std::string> names = {"mouse1", "mouse2", "mouse3", "MOUSE1", "MOUSE2", "MOUSE3"};
    for (const auto* list : {&pressKeyNames(), &releaseKeyNames(), &hatNames()}) {
        for (const NamedCode& name : *list)
            names.push_back(name.name);
    }
    for (const char* prefix : {"dx_", "DX_"}) {
        for (const NamedCode& name : directXButtonNames(prefix))
            names.push_back(name.name);
    }
    for (const std::string& name : names) {
        for (const char* marker :
             {"LOADMODE", "MOUSERIGHT_", "MOUSELEFT_", "MOUSEUP_", "MOUSEDOWN_"})
            EXPECT_EQ(name.find(marker), std::string::npos) << name;
    }
}

// Every name of every list compiles to its own Data under its list's opcode, so no name is
// shadowed by a prefix of another list.
TEST_F(ScriptCompilerTest, EveryNameGivesItsOwnData) {
    const std::pair<const std::vector<NamedCode>*, int> lists[] = {
        {&pressKeyNames(), 0}, {&releaseKeyNames(), 1}, {&hatNames(), 4}};
    for (const auto& [names, oc] : lists) {
        for (const NamedCode& name : *names) {
            const ScriptEvent compiled = compile(name.name + "^5");
            EXPECT_EQ(compiled, event(oc, name.data, 5)) << name.name;
        }
    }
    for (const NamedCode& name : directXButtonNames("dx_"))
        EXPECT_EQ(compile(name.name), event(2, name.data, 11)) << name.name;
    for (const NamedCode& name : directXButtonNames("DX_"))
        EXPECT_EQ(compile(name.name), event(3, name.data, 22)) << name.name;
    EXPECT_EQ(diagnostics.count(Severity::Error), 0u);
}

} // namespace
} // namespace vantrel
