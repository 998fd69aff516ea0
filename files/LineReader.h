#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace vantrel {

// The sections of a profile text file. Lines before the first marker form the header.
enum class FileSection { Header, Scripts, Chains, Modes };

inline constexpr std::string_view kScriptListMarker = "<SCRIPTLIST>";
inline constexpr std::string_view kAxisChainsMarker = "<AXIS_CHAINS>";
inline constexpr std::string_view kProgramModesMarker = "<PROGRAM_MODES>";
inline constexpr std::string_view kPressDelayKey = "DEFAULT_PRESS_DELAY";
inline constexpr std::string_view kReleaseDelayKey = "DEFAULT_RELEASE_DELAY";

// The section a marker line switches to; nothing for any other line. Exact, case included.
std::optional<FileSection> sectionOfMarker(std::string_view line);

// The line as the grammar sees it: trimmed of white space at both ends; nothing when it is
// then empty or a comment (its first character '#').
std::optional<std::string_view> significantLine(std::string_view rawLine);

// Splits a text into lines at LF (the LF removed, a CR before it left for the trimming).
// The last line counts even without a line end.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {}

    // The next line as it stands in the text; false at the end.
    bool nextRaw(std::string_view& line);
    // The next significant line (see significantLine); false at the end.
    bool next(std::string_view& line);
    // The number of the line returned last, counted from 1.
    std::size_t lineNumber() const { return number_; }
    // The text after the line returned last, its line end included.
    std::string_view rest() const { return rest_; }

private:
    std::string_view rest_;
    std::size_t number_ = 0;
    bool done_ = false;
};

// All significant lines of a text, in order, as views into it; with numbers, the number of
// each (counted from 1) goes there too.
std::vector<std::string_view> significantLines(std::string_view text,
                                               std::vector<std::uint32_t>* numbers = nullptr);

// The column (counted from 1) at which a view into the text begins on its line.
std::size_t columnIn(std::string_view text, std::string_view within);

// A mode block's assignment line as the translation reads it: the key is the text before the
// first blank or double quote, the value what follows the first '=' without its leading white
// space (empty when there is no '=').
struct AssignmentLine {
    std::string_view key;
    std::string_view value;
};
AssignmentLine splitAssignmentLine(std::string_view line);

// The text between a section line's first and last characters: the name in "[name]" and
// "{name}"; nothing for a line shorter than two characters.
std::string_view bracketedName(std::string_view line);

// A header line that sets a default delay: one holding "DEFAULT_PRESS_DELAY" (else one
// holding "DEFAULT_RELEASE_DELAY") and a '='. The value is the text after the first '=' read
// by readHeaderDelayValue. The editor's reader and the translator both read header lines
// here, so the same file gives both the same delays.
struct HeaderDelay {
    enum class Kind { Press, Release };
    Kind kind;
    std::uint32_t value;
};
std::optional<HeaderDelay> readHeaderDelay(std::string_view line);

} // namespace vantrel
