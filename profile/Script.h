#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// The script every new profile holds: a name alone, no events.
inline constexpr std::string_view kNullScriptName = "_NULL";
// The device's base programming mode.
inline constexpr std::string_view kDefaultModeName = "DEFAULT";

// A script is one line of text: its name, then optionally a blank or tab and its tokens.
using Script = std::string;

// The name of a script line: its text up to the first blank or tab.
std::string_view scriptName(std::string_view line);

// Letter-case-insensitive equality of two names (ASCII letters only, like the list boxes).
bool namesEqualIgnoringCase(std::string_view a, std::string_view b);
// The key under which a name is found in a case-insensitive index.
std::string foldedName(std::string_view name);
// The same key appended to a text, for keys kept side by side in one buffer.
void appendFoldedName(std::string& to, std::string_view name);

// The order of the editor's sorted script list, which is also the order in which the
// profile text file writes its scripts: case-insensitive, names beginning with punctuation
// (such as "_NULL") before names beginning with a digit, digits before letters.
bool scriptListLess(std::string_view a, std::string_view b);

// Text cut before the first character of a set, then trimmed of blanks at both ends: how
// every typed name and script line is made safe for the profile text file.
std::string cutAndTrim(std::string_view text, std::string_view cutSet);
// White space as the profile text file trims it: C white space (isCSpace).
bool isFileSpace(char c);
std::string_view trimFileSpace(std::string_view text);
std::string_view trimLeadingFileSpace(std::string_view text);

// The characters at which typed texts are cut.
inline constexpr std::string_view kScriptLineCutSet = "[](){}<>#=+-";
inline constexpr std::string_view kModeNameCutSet = " [](){}<>#=^";
inline constexpr std::string_view kChainNameCutSet = " [](){}<>#=^";
inline constexpr std::string_view kRenameCutSet = " [](){}<>;:#=+-";

// base + "_" + n for the first n in 2..254 that isTaken refuses; empty when all are taken.
template <typename IsTaken> std::string generatedName(std::string_view base, IsTaken isTaken) {
    for (int n = 2; n <= 254; ++n) {
        std::string candidate = std::string(base) + "_" + std::to_string(n);
        if (!isTaken(candidate))
            return candidate;
    }
    return {};
}

} // namespace vantrel
