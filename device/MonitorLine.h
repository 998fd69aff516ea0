#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantrel {

// One record of the driver's monitor stream as a client reads it: a kind word, maybe a
// second word, then name=value fields; a value may be double-quoted with \" \\ \n \t and
// \xHH escapes. "profile held scripts=4 from=client" has kind "profile", word "held".
struct MonitorLine {
    std::string kind;
    std::string word;
    std::vector<std::pair<std::string, std::string>> fields;

    // The value of the first field of that name; nothing when there is none.
    std::optional<std::string> field(std::string_view name) const;
    // The value as a whole number; fallback when it is missing or not one.
    long long number(std::string_view name, long long fallback = 0) const;
};

// Reads one line (without its line end). A field without '=' or an unterminated quote makes
// the line unreadable: nothing is returned.
std::optional<MonitorLine> readMonitorLine(std::string_view line);

} // namespace vantrel
