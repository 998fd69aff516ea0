#include "files/KeySuggestion.h"

#include "profile/SlotTable.h"

#include <array>
#include <cctype>
#include <cstdint>

namespace vantrel {
namespace {

unsigned char folded(char c) {
    return static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c)));
}

// Levenshtein distance of a name of at most 64 characters to other words, by the bit-vector
// method (Myers, in Hyyrö's form for whole words): the name's column of the table is kept as
// two 64-bit masks of +1 and -1 steps, and each character of a word advances it in a few
// word operations instead of a pass over the column.
class DistanceFrom {
public:
    explicit DistanceFrom(std::string_view name) : length_(name.size()) {
        for (std::size_t i = 0; i < name.size(); ++i)
            matches_[folded(name[i])] |= std::uint64_t{1} << i;
    }

    std::size_t to(std::string_view word) const {
        if (length_ == 0)
            return word.size();
        const std::uint64_t all =
            length_ == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << length_) - 1;
        const std::uint64_t last = std::uint64_t{1} << (length_ - 1);
        std::uint64_t plus = all; // vertical +1 steps
        std::uint64_t minus = 0;  // vertical -1 steps
        std::size_t distance = length_;
        for (const char c : word) {
            const std::uint64_t equal = matches_[folded(c)];
            const std::uint64_t vertical = equal | minus;
            const std::uint64_t horizontal = (((equal & plus) + plus) ^ plus) | equal;
            std::uint64_t up = minus | ~(horizontal | plus);
            std::uint64_t down = plus & horizontal;
            if (up & last)
                ++distance;
            else if (down & last)
                --distance;
            // The top row of the table counts up by one along the word.
            up = (up << 1) | 1;
            down <<= 1;
            plus = down | ~(vertical | up);
            minus = up & vertical;
        }
        return distance;
    }

private:
    std::array<std::uint64_t, 256> matches_{};
    std::size_t length_;
};

// The nearest of the words fn(i) for i below count.
template <typename WordAt>
std::string_view nearestOf(std::string_view name, std::size_t count, WordAt wordAt) {
    // Names longer than any word are cut so that junk costs no more than a word's length.
    const DistanceFrom distance(name.substr(0, 64));
    std::string_view best;
    std::size_t bestDistance = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view word = wordAt(i);
        const std::size_t d = distance.to(word);
        if (best.empty() || d < bestDistance) {
            best = word;
            bestDistance = d;
        }
    }
    return best;
}

} // namespace

std::string_view nearestAssignmentKey(std::string_view name) {
    const auto slots = SlotTable::instance().allSlots();
    return nearestOf(name, slots.size(),
                     [&](std::size_t i) { return std::string_view(slots[i].name); });
}

std::string_view nearestWord(std::string_view name, std::span<const std::string_view> words) {
    return nearestOf(name, words.size(), [&](std::size_t i) { return words[i]; });
}

} // namespace vantrel
