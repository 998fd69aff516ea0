#pragma once

#include <span>
#include <string_view>

namespace vantrel {

// The assignment key nearest to a name that is none (by edit distance, letter case ignored):
// what the user most likely meant.
std::string_view nearestAssignmentKey(std::string_view name);

// The word nearest to a name in the same sense; the first of equally near ones.
std::string_view nearestWord(std::string_view name, std::span<const std::string_view> words);

} // namespace vantrel
