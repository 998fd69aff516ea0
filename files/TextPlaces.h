#pragma once

#include <cstddef>
#include <string_view>

namespace vantrel {

// The line and column (both counted from 1) of places in a text. Lines end at LF. Each
// answer counts the line ends between the place asked and the one asked before, so places
// asked in order of the text cost one walk over it in all, and nothing is stored per line.
class TextPlaces {
public:
    struct Place {
        std::size_t line = 0;
        std::size_t column = 0;
        bool operator==(const Place&) const = default;
    };

    explicit TextPlaces(std::string_view text = {}) : text_(text) {}

    // The place of a character of the text, given by its offset (at most the text's size).
    Place placeOf(std::size_t offset);

private:
    std::string_view text_;
    std::size_t offset_ = 0;    // the offset asked last
    std::size_t line_ = 1;      // its line
    std::size_t lineStart_ = 0; // the offset at which that line begins
};

} // namespace vantrel
