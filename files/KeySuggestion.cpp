#include "files/KeySuggestion.h"

#include "profile/SlotTable.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace vantrel {
namespace {

char folded(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Levenshtein distance with one row of memory.
std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const std::size_t change = diagonal + (folded(a[i - 1]) == folded(b[j - 1]) ? 0 : 1);
            row[j] = std::min({above + 1, row[j - 1] + 1, change});
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace

std::string_view nearestAssignmentKey(std::string_view name) {
    // Names longer than any key are cut so that junk costs no more than a key's length.
    name = name.substr(0, 64);
    std::string_view best;
    std::size_t bestDistance = 0;
    for (const Slot& slot : SlotTable::instance().allSlots()) {
        const std::size_t distance = editDistance(name, slot.name);
        if (best.empty() || distance < bestDistance) {
            best = slot.name;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace vantrel
