#include "files/ProfileTextReader.h"

#include "files/LineReader.h"
#include "platform/FileAccess.h"

#include "profile/CNumbers.h"
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

// The text between a header line's first and last character.
std::string headerName(std::string_view line) {
    return line.size() < 2 ? std::string() : std::string(line.substr(1, line.size() - 2));
}

// The Count of a group line: the number after the first ';', up to the first ')' after it.
std::optional<int> groupCount(std::string_view line) {
    const auto semicolon = line.find(';');
    if (semicolon == std::string_view::npos)
        return std::nullopt;
    std::string_view field = line.substr(semicolon + 1);
    field = field.substr(0, field.find(')'));
    const auto scanned = scanCInteger(field);
    if (!scanned)
        return std::nullopt;
    return static_cast<int>(std::clamp<long long>(scanned->value, INT_MIN, kChainCapacity));
}

void readChainLine(ProfileDocument& document, std::string_view line) {
    if (line.front() == '[') {
        document.addChain(headerName(line));
        return;
    }
    if (line.find('{') != std::string_view::npos || document.chainCount() == 0)
        return;
    if (const auto count = groupCount(line))
        document.addGroupLine(std::string(line), *count, document.chainCount() - 1);
}

void readModeLine(ProfileDocument& document, std::string_view line) {
    if (line.front() == '[') {
        document.addMode(headerName(line));
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

bool readProfileText(ProfileDocument& document) {
    // A folder, a FIFO or a device is refused before anything is read, and a file far larger
    // than any profile is not loaded into memory.
    const platform::WholeFile file =
        platform::readWholeRegularFile(document.profilePath(), platform::kMaxProfileTextBytes);
    if (file.outcome != platform::WholeFile::Outcome::Read) {
        platform::showMessage(kLoadErrorText, kLoadErrorTitle, platform::MessageButtons::Ok,
                              document.messageOwner());
        return false;
    }
    readProfileTextFrom(document, file.bytes);
    return true;
}

} // namespace vantrel
