#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vantrel {

// The five fields of a breakpoint group line.
struct GroupLineFields {
    int start = 0;
    int end = 0;
    std::uint32_t count = 0;
    std::string_view increase;
    std::string_view decrease;
};

// Reads a group line with the pattern " ( %i : %i ; %u ) ( + %s - %s ) " the way formatted
// input does: a blank matches any run of white space (none included), other characters must
// match exactly, "%s" is one word. Nothing when fewer than the five fields are found.
std::optional<GroupLineFields> readGroupLine(std::string_view line);

// The Count of a group line as the translation pass reads it: the "%i" integer in the text
// after the first ';' up to the next ')'. Nothing when that text holds no number (only
// blanks, or no ';' at all).
std::optional<long long> groupLineCount(std::string_view line);

} // namespace vantrel
