#include "files/ProfileTextReader.h"

#include "files/GroupLinePattern.h"
#include "files/LineReader.h"
#include "platform/FileAccess.h"
#include "profile/Script.h"
#include "profile/SlotTable.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>

namespace vantrel {
namespace {

void readHeaderLine(ProfileDocument& document, std::string_view line) {
    const auto delay = readHeaderDelay(line);
    if (!delay)
        return;
    if (delay->kind == HeaderDelay::Kind::Press)
        document.setPressDelay(delay->value);
    else
        document.setReleaseDelay(delay->value);
}

// The Count of a group line (the rule the translation reads it by), held within an int.
std::optional<int> groupCount(std::string_view line) {
    const auto count = groupLineCount(line);
    if (!count)
        return std::nullopt;
    return static_cast<int>(std::clamp<long long>(*count, INT_MIN, kChainCapacity));
}

void readChainLine(ProfileDocument& document, std::string_view line) {
    if (line.front() == '[') {
        document.addChain(std::string(bracketedName(line)));
        return;
    }
    if (line.find('{') != std::string_view::npos || document.chainCount() == 0)
        return;
    if (const auto count = groupCount(line))
        document.addGroupLine(std::string(line), *count, document.chainCount() - 1);
}

void readModeLine(ProfileDocument& document, std::string_view line) {
    if (line.front() == '[') {
        document.addMode(std::string(bracketedName(line)));
        return;
    }
    if (line.find('{') != std::string_view::npos || document.modeCount() == 0)
        return;
    const std::string_view key = line.substr(0, line.find_first_of(" \t="));
    const auto position = SlotTable::instance().positionOf(key);
    if (!position)
        return;
    const auto equals = line.find('=');
    const std::string_view value =
        equals == std::string_view::npos ? line : trimFileSpace(line.substr(equals + 1));
    document.setLastModeAssignment(*position, std::string(value));
}

} // namespace

void readProfileTextFrom(ProfileDocument& document, std::string_view text) {
    document.resetProfile();
    FileSection section = FileSection::Header;
    LineReader lines(text);
    std::string_view line;
    while (lines.next(line)) {
        if (const auto marker = sectionOfMarker(line)) {
            section = *marker;
            continue;
        }
        switch (section) {
        case FileSection::Header:
            readHeaderLine(document, line);
            break;
        case FileSection::Scripts:
            document.addScript(std::string(line));
            break;
        case FileSection::Chains:
            readChainLine(document, line);
            break;
        case FileSection::Modes:
            readModeLine(document, line);
            break;
        }
    }
    document.setStatusText(kProfileLoadedText);
    document.finishLoading();
}

bool readProfileText(ProfileDocument& document, DiagnosticSink& diagnostics) {
    // A folder, a FIFO or a device is refused before anything is read, and a file far larger
    // than any profile is not loaded into memory.
    const platform::WholeFile file =
        platform::readWholeRegularFile(document.profilePath(), platform::kMaxProfileTextBytes);
    if (file.outcome != platform::WholeFile::Outcome::Read) {
        Diagnostic error{Severity::Error, kLoadErrorText, kLoadErrorTitle};
        error.endsOperation = true;
        error.owner = document.messageOwner();
        diagnostics.report(std::move(error));
        return false;
    }
    readProfileTextFrom(document, file.bytes);
    return true;
}

} // namespace vantrel
