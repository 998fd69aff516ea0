#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vantrel {

// How many tokens a line holds: runs of characters other than blank and tab.
std::uint64_t countTokens(std::string_view text);

// The scripts and events the script section of a profile text holds (each significant line
// one script, each token after its name one event), so that a translation makes room for
// those alone.
struct ScriptSectionSize {
    std::size_t scripts = 0;
    std::uint64_t events = 0;
};
ScriptSectionSize scriptSectionSize(std::string_view text);

} // namespace vantrel
