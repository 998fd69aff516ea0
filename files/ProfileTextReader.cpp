#include "files/ProfileTextReader.h"

#include "files/GroupLinePattern.h"
#include "files/ProfileLines.h"
#include "files/ScriptSectionSize.h"
#include "platform/FileAccess.h"
#include "profile/Script.h"
#include "profile/SlotTable.h"

#include <algorithm>
#include <climits>

namespace vantrel {
namespace {

void readLine(Profile& profile, ScriptListing& listing, const ProfileLine& line) {
    switch (line.kind) {
    case LineKind::Marker:
    case LineKind::Closing:
        return;
    case LineKind::Header:
        if (line.delay)
            (line.delay->kind == HeaderDelay::Kind::Press ? profile.pressDelay
                                                          : profile.releaseDelay) =
                line.delay->value;
        return;
    case LineKind::Script:
        if (listing.admit(line.text))
            profile.scripts.emplace_back(line.text);
        return;
    case LineKind::Opening:
        if (line.section == FileSection::Chains)
            profile.chains.addChain(std::string(line.name));
        else
            profile.modes.emplace_back(std::string(line.name));
        return;
    case LineKind::Group:
        if (profile.chains.chainCount() == 0)
            return;
        if (const auto count = groupLineCountKept(line.text))
            profile.chains.addGroupLine(std::string(line.text), *count,
                                        profile.chains.chainCount() - 1);
        return;
    case LineKind::Assignment:
        if (profile.modes.empty())
            return;
        const AssignmentParts assignment = line.assignment();
        if (const auto position = SlotTable::instance().positionOf(assignment.key))
            profile.modes.back().setAssignment(*position, std::string(assignment.value));
        return;
    }
}

// The whole file, or the "Load Error" error reported.
platform::WholeFile readProfileFile(const std::string& path, DiagnosticSink& diagnostics,
                                    MessageOwner owner) {
    // A folder, a FIFO or a device is refused before anything is read, and a file far larger
    // than any profile is not loaded into memory.
    platform::WholeFile file = platform::readWholeRegularFile(path, platform::kMaxProfileTextBytes);
    if (file.outcome != platform::WholeFile::Outcome::Read) {
        Diagnostic error{Severity::Error, kLoadErrorText, kLoadErrorTitle};
        error.endsOperation = true;
        error.owner = owner;
        diagnostics.report(std::move(error));
    }
    return file;
}

} // namespace

bool ScriptListing::admit(std::string_view line) {
    const std::string_view name = scriptName(line);
    return !name.empty() && folded_.insert(foldedName(name)).second;
}

std::optional<int> groupLineCountKept(std::string_view line) {
    const auto count = groupLineCount(line);
    if (!count)
        return std::nullopt;
    return static_cast<int>(std::clamp<long long>(*count, INT_MIN, kChainCapacity));
}

Profile readProfileTextFrom(std::string_view text) {
    Profile profile;
    ScriptListing listing;
    // Room for every script line, so that neither the list nor the index of names grows.
    const std::size_t scripts = scriptSectionSize(text).scripts;
    profile.scripts.reserve(scripts);
    listing.reserve(scripts);
    ProfileLineReader reader(text, LineGrammar::Editor);
    ProfileLine line;
    while (reader.next(line))
        readLine(profile, listing, line);
    return profile;
}

ProfileRead readProfileText(const std::string& path, DiagnosticSink& diagnostics,
                            MessageOwner owner) {
    const platform::WholeFile file = readProfileFile(path, diagnostics, owner);
    if (file.outcome != platform::WholeFile::Outcome::Read)
        return {};
    return {readProfileTextFrom(file.bytes), true};
}

} // namespace vantrel
