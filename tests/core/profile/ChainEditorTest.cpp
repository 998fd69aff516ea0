#include "profile/ChainEditor.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(ChainEditor, AddsCutNamesUpToThePanelsLimit) {
    ChainEditor editor;
    EXPECT_TRUE(editor.addChain("Gear=down"));
    EXPECT_EQ(editor.chains().chain(0).name(), "Gear");
    EXPECT_FALSE(editor.addChain("GEAR"));
    // A blank is a cut character too: nothing is left of a name that begins with one.
    EXPECT_FALSE(editor.addChain(" Flaps"));
    EXPECT_FALSE(editor.addChain("(x)"));
    for (int n = 2; n <= ChainEditor::kPanelChainLimit; ++n)
        EXPECT_TRUE(editor.addChain("Chain" + std::to_string(n)));
    EXPECT_FALSE(editor.roomForChains());
    EXPECT_FALSE(editor.addChain("Chain11"));
    EXPECT_FALSE(editor.duplicateChain(0));
    EXPECT_EQ(editor.chains().chainCount(), ChainEditor::kPanelChainLimit);

    // A file may bring more; the panel still adds none.
    editor.chains().addChain("FromFile");
    EXPECT_FALSE(editor.addChain("Chain12"));
}

TEST(ChainEditor, RenamesAndDuplicatesOnlyExistingChains) {
    ChainEditor editor;
    editor.addChain("Gear");
    editor.addChain("Brakes");
    EXPECT_FALSE(editor.renameChain(0, ""));
    EXPECT_FALSE(editor.renameChain(0, "brakes"));
    EXPECT_FALSE(editor.renameChain(5, "Flaps"));
    EXPECT_TRUE(editor.renameChain(0, "Flaps"));
    EXPECT_TRUE(editor.duplicateChain(1));
    EXPECT_EQ(editor.chains().chain(2).name(), "Brakes_2");
    EXPECT_FALSE(editor.duplicateChain(-1));
}

TEST(ChainEditor, CountReachesTheChainsFreeCapacity) {
    ChainEditor editor;
    EXPECT_EQ(editor.countLimit(-1), kChainCapacity);
    editor.addChain("Gear");
    GroupLimits values{200, -40000, 40000};
    const auto first = editor.addGroup(0, values, "_NULL", "Up");
    ASSERT_TRUE(first.line);
    // Start and End were held to the axis range first.
    EXPECT_EQ(*first.line, formatGroupLine(kAxisMin, kAxisMax, 200, "_NULL", "Up"));
    EXPECT_EQ(editor.countLimit(0), 55);

    values.count = 100;
    editor.limitCount(0, values);
    EXPECT_EQ(values.count, 55);
    values.count = 100;
    ASSERT_TRUE(editor.addGroup(0, values, "_NULL", "_NULL").line);
    EXPECT_EQ(values.count, 55);
    EXPECT_EQ(editor.countLimit(0), 0);

    values.count = -1;
    const auto refused = editor.addGroup(0, values, "_NULL", "_NULL");
    EXPECT_FALSE(refused.line);
    EXPECT_EQ(refused.error, "Please enter a Count from 0 to 0.");
    EXPECT_EQ(editor.chains().chain(0).groupCount(), 2);
    EXPECT_FALSE(editor.addGroup(4, values, "_NULL", "_NULL").line);
}

TEST(ChainEditor, AnOverfullChainTakesNoGroups) {
    ChainEditor editor;
    editor.addChain("Full");
    editor.chains().addGroupLine("(0 : 1 ; 300) ( + _NULL  - _NULL )", 300, 0);
    EXPECT_EQ(editor.countLimit(0), 0);
    EXPECT_FALSE(editor.takesGroups(0));
    GroupLimits values{0, 0, 1};
    const auto result = editor.addGroup(0, values, "_NULL", "_NULL");
    EXPECT_FALSE(result.line);
    EXPECT_TRUE(result.error.empty());
}

TEST(ChainEditor, SteppingOneEndDragsTheOther) {
    GroupLimits values{10, 100, 50};
    ChainEditor::startStepped(values);
    EXPECT_EQ(values.end, 100);
    values = {10, 100, 50};
    ChainEditor::endStepped(values);
    EXPECT_EQ(values.start, 50);
    values = {10, -5, 5};
    ChainEditor::startStepped(values);
    ChainEditor::endStepped(values);
    EXPECT_EQ(values.start, -5);
    EXPECT_EQ(values.end, 5);
    EXPECT_EQ(ChainEditor::limitAxis(99999), kAxisMax);
    EXPECT_EQ(ChainEditor::limitAxis(-99999), kAxisMin);
}

} // namespace
} // namespace vantrel
