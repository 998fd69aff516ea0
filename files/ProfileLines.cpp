#include "files/ProfileLines.h"

#include "profile/CNumbers.h"
#include "profile/Script.h"

#include <algorithm>

namespace vantrel {

std::optional<FileSection> sectionOfMarker(std::string_view line) {
    if (line == kScriptListMarker)
        return FileSection::Scripts;
    if (line == kAxisChainsMarker)
        return FileSection::Chains;
    if (line == kProgramModesMarker)
        return FileSection::Modes;
    return std::nullopt;
}

namespace {

// The text before the first of a few characters. A plain loop: for a short key the search of
// find_first_of, one memchr call per character, costs several times more.
template <char... Stops> std::string_view textBefore(std::string_view text) {
    std::size_t end = 0;
    while (end < text.size() && ((text[end] != Stops) && ...))
        ++end;
    return text.substr(0, end);
}

} // namespace

AssignmentParts splitAssignment(std::string_view line, LineGrammar grammar) {
    AssignmentParts parts;
    const std::size_t equals = line.find('=');
    if (grammar == LineGrammar::Editor) {
        parts.key = textBefore<' ', '\t', '='>(line);
        parts.value =
            equals == std::string_view::npos ? line : trimFileSpace(line.substr(equals + 1));
    } else {
        parts.key = textBefore<' ', '"'>(line);
        if (equals != std::string_view::npos)
            parts.value = trimLeadingFileSpace(line.substr(equals + 1));
    }
    return parts;
}

std::optional<HeaderDelay> readHeaderDelay(std::string_view line) {
    HeaderDelay::Kind kind;
    if (line.find(kPressDelayKey) != std::string_view::npos)
        kind = HeaderDelay::Kind::Press;
    else if (line.find(kReleaseDelayKey) != std::string_view::npos)
        kind = HeaderDelay::Kind::Release;
    else
        return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return HeaderDelay{kind, readHeaderDelayValue(line.substr(equals + 1))};
}

std::string_view bracketedName(std::string_view line) {
    return line.size() < 2 ? std::string_view() : line.substr(1, line.size() - 2);
}

bool ProfileLineReader::next(ProfileLine& line) {
    while (!rest_.empty()) {
        const std::size_t end = std::min(rest_.find('\n'), rest_.size());
        const std::string_view raw = rest_.substr(0, end);
        rest_.remove_prefix(std::min(end + 1, rest_.size()));
        ++number_;
        const std::string_view text = trimFileSpace(raw);
        if (text.empty() || text.front() == '#')
            continue;
        line = ProfileLine{};
        line.text = text;
        line.number = number_;
        line.column = static_cast<std::uint32_t>(text.data() - raw.data()) + 1;
        line.grammar = grammar_;
        classify(line);
        return true;
    }
    return false;
}

void ProfileLineReader::classify(ProfileLine& line) {
    const std::string_view text = line.text;
    if (const auto marker = sectionOfMarker(text)) {
        section_ = *marker;
        line.kind = LineKind::Marker;
        line.section = *marker;
        return;
    }
    line.section = section_;
    switch (section_) {
    case FileSection::Header:
        line.kind = LineKind::Header;
        line.delay = readHeaderDelay(text);
        return;
    case FileSection::Scripts:
        line.kind = LineKind::Script;
        line.name = scriptName(text);
        return;
    case FileSection::Chains:
    case FileSection::Modes:
        break;
    }
    const bool editor = grammar_ == LineGrammar::Editor;
    if (text.front() == '[') {
        line.kind = LineKind::Opening;
        line.name = bracketedName(text);
        if (section_ == FileSection::Modes && !editor)
            line.name = line.name.substr(0, std::min(line.name.find('['), line.name.size()));
    } else if (editor ? text.find('{') != std::string_view::npos : text.front() == '{') {
        line.kind = LineKind::Closing;
        line.name = bracketedName(text);
    } else if (section_ == FileSection::Chains) {
        line.kind = LineKind::Group;
    } else {
        line.kind = LineKind::Assignment;
    }
}

std::vector<ProfileLine> readProfileLines(std::string_view text, LineGrammar grammar) {
    std::vector<ProfileLine> lines;
    ProfileLineReader reader(text, grammar);
    ProfileLine line;
    while (reader.next(line))
        lines.push_back(line);
    return lines;
}

} // namespace vantrel
