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

// The editor and the translation read the same lines with two small differences, so that a
// file written by hand means what it has always meant to each:
// - a block's closing line: for the editor any chain or mode line holding '{' (which no
//   group or assignment line holds), for the translation only one that begins with it;
// - a mode's name: the translation cuts it before any '[' it still holds;
// - an assignment's key and value: see splitAssignment.
enum class LineGrammar { Editor, Translation };

// An assignment line cut into key and value.
// Editor: the key ends at the first blank, tab or '='; the value is the text after the first
// '=' trimmed at both ends, or the whole line when there is no '='.
// Translation: the key ends at the first blank or double quote; the value is the text after
// the first '=' without its leading white space, empty when there is no '='.
struct AssignmentParts {
    std::string_view key;
    std::string_view value;
};
AssignmentParts splitAssignment(std::string_view line, LineGrammar grammar);

// A header line that sets a default delay: one holding "DEFAULT_PRESS_DELAY" (else one
// holding "DEFAULT_RELEASE_DELAY") and a '='. The value is the text after the first '=' read
// by readHeaderDelayValue.
struct HeaderDelay {
    enum class Kind { Press, Release };
    Kind kind;
    std::uint32_t value;
};
std::optional<HeaderDelay> readHeaderDelay(std::string_view line);

// The text between a block line's first and last characters: the name in "[name]" and
// "{name}"; nothing for a line shorter than two characters.
std::string_view bracketedName(std::string_view line);

enum class LineKind {
    Marker,     // one of the three section markers
    Header,     // any line before the first marker
    Script,     // a line of the script section
    Opening,    // "[name]" in the chain or mode section
    Closing,    // "{name}" there, as the grammar takes it
    Group,      // any other line of the chain section
    Assignment, // any other line of the mode section
};

// One significant line: trimmed of white space at both ends, neither empty nor a comment
// (its first character '#'), with what its kind gives.
struct ProfileLine {
    LineKind kind = LineKind::Header;
    // The section the line stands in; for a marker, the one it opens.
    FileSection section = FileSection::Header;
    std::string_view text;    // a view into the text read
    std::uint32_t number = 0; // counted from 1
    std::uint32_t column = 0; // of the text's first character, counted from 1
    // Script: the text up to the first blank or tab. Opening, Closing: the bracketed name
    // (a mode's opening one as the grammar cuts it).
    std::string_view name;
    std::optional<HeaderDelay> delay; // Header
    LineGrammar grammar = LineGrammar::Editor;

    // An assignment line's key and value, cut when asked: the translation's pass only counts
    // these lines.
    AssignmentParts assignment() const { return splitAssignment(text, grammar); }

    // The line and column of the line's text, or of a view into it.
    struct Place {
        std::size_t line = 0; // 0 for no place
        std::size_t column = 0;
    };
    Place place() const { return {number, column}; }
    Place placeOf(std::string_view within) const {
        return {number, column + static_cast<std::size_t>(within.data() - text.data())};
    }
};

// Reads the significant lines of a profile text one after the other. A line ends at LF
// (removed); the last line counts even without a line end. A copy goes on from where the
// original stood, so a block can be read again from its opening line.
class ProfileLineReader {
public:
    ProfileLineReader(std::string_view text, LineGrammar grammar)
        : rest_(text), grammar_(grammar) {}

    // False at the end.
    bool next(ProfileLine& line);

private:
    void classify(ProfileLine& line);

    std::string_view rest_;
    LineGrammar grammar_;
    FileSection section_ = FileSection::Header;
    std::uint32_t number_ = 0;
};

// All significant lines of a text, in order.
std::vector<ProfileLine> readProfileLines(std::string_view text, LineGrammar grammar);

} // namespace vantrel
