#include "files/LineReader.h"

#include "profile/CNumbers.h"
#include "profile/Script.h"

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

std::optional<std::string_view> significantLine(std::string_view rawLine) {
    const std::string_view line = trimFileSpace(rawLine);
    if (line.empty() || line.front() == '#')
        return std::nullopt;
    return line;
}

bool LineReader::nextRaw(std::string_view& line) {
    if (done_)
        return false;
    ++number_;
    const std::size_t end = rest_.find('\n');
    if (end == std::string_view::npos) {
        done_ = true;
        if (rest_.empty())
            return false;
        line = rest_;
        rest_ = {};
        return true;
    }
    line = rest_.substr(0, end);
    rest_.remove_prefix(end + 1);
    return true;
}

bool LineReader::next(std::string_view& line) {
    std::string_view raw;
    while (nextRaw(raw)) {
        if (const auto significant = significantLine(raw)) {
            line = *significant;
            return true;
        }
    }
    return false;
}

std::vector<std::string_view> significantLines(std::string_view text,
                                               std::vector<std::uint32_t>* numbers) {
    std::vector<std::string_view> lines;
    LineReader reader(text);
    std::string_view line;
    while (reader.next(line)) {
        lines.push_back(line);
        if (numbers)
            numbers->push_back(static_cast<std::uint32_t>(reader.lineNumber()));
    }
    return lines;
}

std::size_t columnIn(std::string_view text, std::string_view within) {
    const auto offset = static_cast<std::size_t>(within.data() - text.data());
    const std::size_t lineEnd = text.rfind('\n', offset == 0 ? 0 : offset - 1);
    const std::size_t lineStart =
        lineEnd == std::string_view::npos || offset == 0 ? 0 : lineEnd + 1;
    return offset - lineStart + 1;
}

std::string_view bracketedName(std::string_view line) {
    return line.size() < 2 ? std::string_view() : line.substr(1, line.size() - 2);
}

AssignmentLine splitAssignmentLine(std::string_view line) {
    AssignmentLine parts;
    parts.key = line.substr(0, std::min(line.find_first_of(" \""), line.size()));
    if (const std::size_t equals = line.find('='); equals != std::string_view::npos)
        parts.value = trimLeadingFileSpace(line.substr(equals + 1));
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

} // namespace vantrel
