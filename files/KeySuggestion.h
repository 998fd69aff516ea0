#pragma once

#include <string_view>

namespace vantrel {

// The assignment key nearest to a name that is none (by edit distance, letter case ignored):
// what the user most likely meant.
std::string_view nearestAssignmentKey(std::string_view name);

} // namespace vantrel
