#include "profile/ScriptStore.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(ScriptStore, FindsLinesByExactNameAndKeepsOrderOfAddition) {
    ScriptStore store;
    store.append("_NULL");
    store.append("Fire a^40 A");
    store.append("Jump\tkp_1");
    EXPECT_EQ(store.findExact("Fire"), 1u);
    EXPECT_EQ(store.findExact("Jump"), 2u);
    EXPECT_FALSE(store.findExact("fire")); // letter case counts here
    EXPECT_FALSE(store.findExact("Fire a^40"));
    EXPECT_EQ(store.lines(), (std::vector<Script>{"_NULL", "Fire a^40 A", "Jump\tkp_1"}));

    store.replace(1, "Fire b B");
    EXPECT_EQ(store.lines()[1], "Fire b B");
    EXPECT_THROW(store.replace(1, "Other b B"), std::invalid_argument);
}

TEST(ScriptStore, ErasingMovesLaterLinesUpAndKeepsTheIndexRight) {
    ScriptStore store;
    for (const char* line : {"_NULL", "A a", "B b", "C c"})
        store.append(line);
    store.erase(1);
    EXPECT_EQ(store.lines(), (std::vector<Script>{"_NULL", "B b", "C c"}));
    EXPECT_FALSE(store.findExact("A"));
    EXPECT_EQ(store.findExact("B"), 1u);
    EXPECT_EQ(store.findExact("C"), 2u);
    EXPECT_EQ(store.findExact("_NULL"), 0u);
    store.clear();
    EXPECT_EQ(store.size(), 0u);
    EXPECT_FALSE(store.findExact("_NULL"));
}

TEST(ScriptStore, ASecondLineOfOneNameTakesOverWhenTheFirstGoes) {
    ScriptStore store;
    store.append("X 1");
    store.append("Y");
    store.append("X 2");
    EXPECT_EQ(store.findExact("X"), 0u);
    store.erase(2); // not the first of its name
    EXPECT_EQ(store.findExact("X"), 0u);
    store.append("X 3");
    store.erase(0);
    ASSERT_EQ(store.findExact("X"), 1u);
    EXPECT_EQ(store.lines()[1], "X 3");
}

} // namespace
} // namespace vantrel
