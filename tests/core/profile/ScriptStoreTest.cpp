#include "profile/ScriptStore.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

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

TEST(ScriptStore, InsertingUndoesAnEraseAndKeepsTheIndexRight) {
    ScriptStore store;
    for (int n = 0; n < 40; ++n) // enough names for the table to grow on the way
        store.append("S" + std::to_string(n) + " k");
    const std::vector<Script> before = store.lines();
    store.erase(7);
    store.insert(7, before[7]);
    EXPECT_EQ(store.lines(), before);
    for (std::size_t n = 0; n < before.size(); ++n)
        EXPECT_EQ(store.findExact("S" + std::to_string(n)), n);

    // A line of a name already stored, put before the first of that name, becomes the first.
    store.insert(3, "S20 other");
    EXPECT_EQ(store.findExact("S20"), 3u);
    EXPECT_EQ(store.findExact("S3"), 4u);
    store.erase(3);
    EXPECT_EQ(store.findExact("S20"), 20u);
    store.insert(store.size(), "Last l");
    EXPECT_EQ(store.findExact("Last"), 40u);
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

// The first line of each name, found by reading every line: what findExact must agree with.
std::map<std::string, std::size_t, std::less<>> firstLines(const ScriptStore& store) {
    std::map<std::string, std::size_t, std::less<>> first;
    for (std::size_t i = 0; i < store.size(); ++i)
        first.emplace(scriptName(store.lines()[i]), i);
    return first;
}

TEST(ScriptStore, AgreesWithASearchOfTheLinesThroughGrowthAndManyErasures) {
    // Thousands of lines, many names given more than once and many erasures at random
    // places, so that the index grows several times and has entries moved back to fill the
    // places of names that went.
    std::mt19937 random(7);
    ScriptStore store;
    std::vector<std::string> names;
    for (int i = 0; i < 1000; ++i)
        names.push_back("S" + std::to_string(i));
    for (int round = 0; round < 4; ++round) {
        for (int i = 0; i < 1200; ++i)
            store.append(names[random() % names.size()] + " a " + std::to_string(i));
        for (int i = 0; i < 1000; ++i)
            store.erase(random() % store.size());
        const auto first = firstLines(store);
        for (const std::string& name : names) {
            const auto found = first.find(name);
            const auto expected =
                found == first.end() ? std::nullopt : std::optional<std::size_t>(found->second);
            ASSERT_EQ(store.findExact(name), expected) << name;
        }
    }
    while (store.size() > 0)
        store.erase(0);
    EXPECT_FALSE(store.findExact("S1"));
    store.append("S1 again");
    EXPECT_EQ(store.findExact("S1"), 0u);
    EXPECT_THROW(store.erase(1), std::out_of_range);
}

} // namespace
} // namespace vantrel
