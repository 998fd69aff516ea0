#include "files/KeySuggestion.h"

#include "profile/SlotTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace vantrel {
namespace {

// The plain full table, letter case ignored: the distance the suggestion is defined by.
std::size_t plainDistance(const std::string& a, const std::string& b) {
    std::vector<std::vector<std::size_t>> table(a.size() + 1,
                                                std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i)
        table[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j)
        table[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const bool same = std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                              std::tolower(static_cast<unsigned char>(b[j - 1]));
            table[i][j] = std::min(
                {table[i - 1][j] + 1, table[i][j - 1] + 1, table[i - 1][j - 1] + (same ? 0 : 1)});
        }
    }
    return table[a.size()][b.size()];
}

// The first key of the table at the least distance.
std::string plainNearest(const std::string& name) {
    std::string best;
    std::size_t bestDistance = 0;
    for (const Slot& slot : SlotTable::instance().allSlots()) {
        const std::size_t distance = plainDistance(name.substr(0, 64), slot.name);
        if (best.empty() || distance < bestDistance) {
            best = slot.name;
            bestDistance = distance;
        }
    }
    return best;
}

// The search that gives up on keys which cannot beat the best so far must still name the
// very key the full comparison names, ties going to the earlier key, for names near keys,
// far from all of them, empty and longer than any key.
TEST(KeySuggestion, NamesTheFirstNearestKey) {
    std::vector<std::string> names = {"",
                                      "x",
                                      "Trigger",
                                      "trigger",
                                      "Trigerpress",
                                      "XAxs",
                                      "R2axis",
                                      "StickHat1UpRihgtRelease",
                                      "zzzzzzzzzzzzzz",
                                      std::string(100, 'q') + "TriggerPress"};
    for (const Slot& slot : SlotTable::instance().allSlots()) {
        std::string typo = slot.name;
        typo.erase(typo.size() / 2, 1);
        names.push_back(typo);
        names.push_back(slot.name + "s");
    }
    for (const std::string& name : names)
        EXPECT_EQ(nearestAssignmentKey(name), plainNearest(name)) << name;
}

} // namespace
} // namespace vantrel
