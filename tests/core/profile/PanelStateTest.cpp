#include "profile/AxisPanelState.h"
#include "profile/ButtonPanelState.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

// The calls the profile reader makes while the axis panel is not built yet.
TEST(AxisPanelState, ReadingSelectsTheLastChainAndLimitsCount) {
    AxisPanelState state;
    state.values.limits = {200, -5, 5};
    state.values.axes[0] = "Gear";
    state.resetChains();
    EXPECT_EQ(state.selectedChain, -1);
    EXPECT_EQ(state.values.increase, "_NULL");
    EXPECT_EQ(state.values.limits.count, 200) << "Count, Start, End and the axes stay";
    EXPECT_EQ(state.values.axes[0], "Gear");

    ASSERT_TRUE(state.addChain("Gear"));
    ASSERT_TRUE(state.addChain("Flaps"));
    EXPECT_EQ(state.selectedChain, 1);
    EXPECT_TRUE(state.addGroupLine("(0 : 1 ; 250) ( + a  - b )", 250, 1));
    EXPECT_FALSE(state.addGroupLine("(0 : 1 ; 1) ( + a  - b )", 1, 2)) << "no third chain";
    EXPECT_FALSE(state.addGroupLine("(0 : 1 ; 1) ( + a  - b )", 1, -1));
    state.applyChainSelection();
    EXPECT_EQ(state.values.chainName, "Flaps");
    EXPECT_EQ(state.values.limits.count, 5);
    EXPECT_EQ(state.values.limits.start, -5);
}

TEST(AxisPanelState, AFullListKeepsItsSelection) {
    AxisPanelState state;
    for (int i = 0; i < AxisChainList::kMaxChains; ++i)
        ASSERT_TRUE(state.addChain("C" + std::to_string(i)));
    state.selectedChain = 3;
    EXPECT_FALSE(state.addChain("More"));
    EXPECT_EQ(state.selectedChain, 3);
    state.values.chainName = "typed";
    state.resetChains();
    EXPECT_EQ(state.editor.chains().chainCount(), 0);
    EXPECT_EQ(state.values.chainName, "");
    state.applyChainSelection();
    EXPECT_EQ(state.values.chainName, "") << "no chain selected: the name stays empty";
}

TEST(PanelStates, AssignmentsAreTakenWholeAndCleared) {
    AxisPanelState axis;
    axis.showAssignments({"A", "B"}, "Climb");
    EXPECT_EQ(axis.values.modeName, "Climb");
    EXPECT_EQ(axis.values.axes[1], "B");
    EXPECT_EQ(axis.values.axes[5], "") << "missing values are empty";
    axis.clearAssignments();
    EXPECT_EQ(axis.values.modeName, "");
    EXPECT_EQ(axis.values.axes[0], "");

    ButtonPanelState stick(SlotGroup::Stick);
    ButtonPanelState throttle(SlotGroup::Throttle);
    EXPECT_EQ(stick.values.size(), 48u);
    EXPECT_EQ(throttle.values.size(), 52u);
    std::vector<Assignment> many(60, "Fire");
    stick.showAssignments(many, "DEFAULT");
    EXPECT_EQ(stick.values.size(), 48u) << "a longer list does not grow the group";
    EXPECT_EQ(stick.values.back(), "Fire");
    throttle.showAssignments({"Jump"}, "DEFAULT");
    EXPECT_EQ(throttle.values[0], "Jump");
    EXPECT_EQ(throttle.values[1], "");
    stick.selectedScript = "Fire";
    stick.clearAssignments();
    EXPECT_EQ(stick.modeName, "");
    EXPECT_EQ(stick.values.front(), "");
    EXPECT_EQ(stick.selectedScript, "Fire") << "the selected script is not an assignment";
}

} // namespace
} // namespace vantrel
