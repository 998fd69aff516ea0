#include "profile/SortedNameList.h"

#include "profile/Script.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace vantrel {
namespace {

TEST(SortedNameList, KeepsTheScriptListOrderWithNullFirst) {
    SortedNameList list;
    for (const char* name : {"zulu", "Fire", "9lives", "_NULL", "alpha", "fire2"})
        list.insert(name);
    EXPECT_EQ(list.names(),
              (std::vector<std::string>{"_NULL", "9lives", "alpha", "Fire", "fire2", "zulu"}));
    EXPECT_EQ(list.at(0), "_NULL");
    EXPECT_EQ(list.insertionPoint("Bravo"), 3u);
    EXPECT_EQ(list.insert("Bravo"), 3u);
}

TEST(SortedNameList, FindsWholeNamesWithoutRegardToCase) {
    SortedNameList list;
    for (const char* name : {"_NULL", "Fire", "Fire_2", "fireball", "Jump"})
        list.insert(name);
    EXPECT_EQ(list.findIgnoringCase("fire"), 1u);
    EXPECT_EQ(list.findIgnoringCase("FIRE_2"), 2u);
    EXPECT_EQ(list.findIgnoringCase("_null"), 0u);
    EXPECT_FALSE(list.findIgnoringCase("Fir")); // whole names only
    EXPECT_FALSE(list.findIgnoringCase("Fireballs"));
    EXPECT_FALSE(list.findIgnoringCase(""));
    EXPECT_FALSE(SortedNameList().findIgnoringCase("Fire"));
}

TEST(SortedNameList, SpellingsInAnyCaseAreFoundFromTheFirstOfThem) {
    // The list itself does not refuse names that differ only in case; the first is found.
    SortedNameList list;
    list.insert("fire");
    list.insert("FIRE");
    list.insert("Fire");
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.findIgnoringCase("fIrE"), 0u);
    EXPECT_TRUE(namesEqualIgnoringCase(list.at(0), "fire"));
}

TEST(SortedNameList, StaysSortedAndFindableAcrossManyRuns) {
    // Enough names to split the storage into many runs, inserted in shuffled order.
    std::vector<std::string> names;
    for (int i = 0; i < 5000; ++i)
        names.push_back((i % 2 ? "Script" : "script") + std::to_string(i));
    std::mt19937 random(7);
    std::shuffle(names.begin(), names.end(), random);

    SortedNameList list;
    for (const auto& name : names)
        list.insert(name);
    std::vector<std::string> expected = names;
    std::sort(expected.begin(), expected.end(), scriptListLess);
    ASSERT_EQ(list.names(), expected);
    for (std::size_t i = 0; i < expected.size(); i += 97) {
        ASSERT_EQ(list.findIgnoringCase(foldedName(expected[i])), i) << expected[i];
        ASSERT_EQ(list.at(i), expected[i]);
    }

    // Removing names, also whole runs' worth, keeps places and searches right.
    for (int i = 0; i < 3000; ++i)
        list.erase(static_cast<std::size_t>(i) % list.size());
    expected = list.names();
    ASSERT_TRUE(std::is_sorted(expected.begin(), expected.end(), scriptListLess));
    ASSERT_EQ(list.size(), 2000u);
    for (std::size_t i = 0; i < expected.size(); i += 41)
        ASSERT_EQ(list.findIgnoringCase(expected[i]), i);

    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.insert("again"), 0u);
}

TEST(SortedNameList, NamesArrivingInListOrderGoLastAndOthersStillFindTheirPlace) {
    // A file's names come in list order and each goes after the last; a spelling in other
    // letter case, or a shorter name, that arrives after them sorts before the last name.
    std::vector<std::string> expected;
    SortedNameList list;
    for (int i = 0; i < 3000; ++i) {
        const std::string name = "s" + std::to_string(100000 + i);
        EXPECT_EQ(list.insertionPoint(name), list.size());
        const std::size_t last = list.size();
        ASSERT_EQ(list.insert(name), last) << name;
        expected.push_back(name);
        if (i % 500 == 0) {
            const std::string upper = "S" + name.substr(1);
            ASSERT_EQ(list.insert(upper), last) << upper;
            ASSERT_EQ(list.insert("s"), 0u);
            expected.insert(expected.end() - 1, upper);
            expected.insert(expected.begin(), "s");
        }
    }
    ASSERT_EQ(list.names(), expected);
    ASSERT_TRUE(std::is_sorted(expected.begin(), expected.end(), scriptListLess));
    EXPECT_EQ(list.findIgnoringCase("s102999"), expected.size() - 1);
    EXPECT_EQ(list.findIgnoringCase("s102500"), expected.size() - 501);
    EXPECT_FALSE(list.findIgnoringCase("s103000"));
}

TEST(SortedNameList, OutOfRangePlacesAreRefused) {
    SortedNameList list;
    list.insert("_NULL");
    EXPECT_THROW(list.at(1), std::out_of_range);
    EXPECT_THROW(list.erase(1), std::out_of_range);
}

} // namespace
} // namespace vantrel
