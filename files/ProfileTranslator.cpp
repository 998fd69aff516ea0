#include "files/ProfileTranslator.h"

#include "devicefile/DeviceFormat.h"
#include "files/DeviceFileWriter.h"
#include "files/GroupLinePattern.h"
#include "files/ProfileLines.h"
#include "files/ProfileTextFile.h"
#include "files/ScriptSectionSize.h"
#include "files/ScriptTokens.h"
#include "files/TranslationDefaults.h"
#include "files/TranslationLimits.h"
#include "profile/AxisChain.h"
#include "profile/Script.h"
#include "profile/SlotTable.h"

#include <algorithm>
#include <limits>

namespace vantrel {
namespace {

constexpr std::uint64_t kMax16 = kMost16BitCount;
constexpr auto kMax8 = static_cast<std::uint64_t>(kMost8BitCount);
constexpr std::uint32_t kLastGroupNumber = kLastBreakpointGroup;
constexpr std::uint32_t kFirstGroupNumber = kFirstBreakpointGroup;

} // namespace

ProfileTranslator::ProfileTranslator(const std::string& profileTextPath,
                                     DiagnosticSink& diagnostics)
    : path_(profileTextPath), diagnostics_(diagnostics) {
    ProfileTextFile file = readProfileTextFile(path_);
    if (!file.text) {
        diagnostics_.report(std::move(file.refusal));
        return;
    }
    readText_ = std::move(*file.text);
    text_ = readText_;
    translate();
}

ProfileTranslator::ProfileTranslator(const std::string& profileTextPath, std::string text,
                                     DiagnosticSink& diagnostics)
    : path_(profileTextPath), givenText_(std::move(text)), text_(givenText_),
      diagnostics_(diagnostics) {
    translate();
}

void ProfileTranslator::report(Severity severity, std::string text, std::string title,
                               bool endsOperation, Place at) {
    Diagnostic diagnostic{severity, std::move(text), std::move(title)};
    diagnostic.endsOperation = endsOperation;
    diagnostic.line = at.line;
    diagnostic.column = at.column;
    diagnostics_.report(std::move(diagnostic));
}

bool ProfileTranslator::refuse(std::string text, std::string title, Place at) {
    report(Severity::Error, std::move(text), std::move(title), true, at);
    return false;
}

bool ProfileTranslator::refuseAtLine(const std::string& text, std::string title, Place at) {
    return refuse(withLineNumber(at.line, text), std::move(title), at);
}

bool ProfileTranslator::overLimit(const std::string& what, std::uint64_t count, std::uint64_t limit,
                                  Place at) {
    const std::string text = tooManyText(what, count, limit);
    return at.line == 0 ? refuse(text, kLimitTitle) : refuseAtLine(text, kLimitTitle, at);
}

void ProfileTranslator::translate() {
    textRead_ = true;
    // Room for exactly the scripts and events of the text, up to the most scripts the device
    // holds, so that the image is never copied to grow.
    const ScriptSectionSize size = scriptSectionSize(text_);
    const std::size_t mostScripts = std::min<std::size_t>(size.scripts, kMax16);
    names_ = TranslationNames(mostScripts);
    image_.reserve(mostScripts, static_cast<std::size_t>(size.events));
    ProfileLineReader reader(text_, LineGrammar::Translation);
    ProfileLine line;
    while (reader.next(line)) {
        if (!readLine(line, reader))
            return;
    }
    if (!marked_) {
        refuse(notProfileTextText(), kProfileErrorTitle);
        return;
    }
    for (std::size_t i = 0; i < profile_.chains.size(); ++i) {
        if (!chainConverted_[i]) {
            refuseAtLine(noClosingLineText("axis chain", profile_.chains[i].name),
                         kProfileErrorTitle, chainHeaders_[i]);
            return;
        }
    }
    for (std::size_t i = 0; i < profile_.configurations.size(); ++i) {
        if (!modeConverted_[i]) {
            refuseAtLine(noClosingLineText("programming mode", profile_.configurations[i].name),
                         kProfileErrorTitle, modeHeaders_[i]);
            return;
        }
    }
    const std::uint64_t length = image_.lengthWith(profile_);
    if (length > std::numeric_limits<std::uint32_t>::max()) {
        overLimit("bytes in the device profile file", length,
                  std::numeric_limits<std::uint32_t>::max(), Place{});
        return;
    }
    length_ = static_cast<std::uint32_t>(length);
    outputPath_ = deviceFilePathFor(path_);
    resolveLoadEvents();
    image_.finish(profile_);
}

void ProfileTranslator::resolveLoadEvents() {
    std::vector<std::optional<std::uint32_t>> ids;
    ids.reserve(loadModeNames_.size());
    for (const std::string_view name : loadModeNames_)
        ids.push_back(names_.mode(name));
    // Only load-mode tokens compile to the load-mode opcode, so the events of that opcode are
    // the load events, in order.
    std::size_t next = 0;
    image_.forEachEventOf(EventOpcode::LoadMode, [&](std::size_t place) {
        if (const auto id = ids[loadEvents_[next++]])
            image_.setEventData(place, static_cast<std::int16_t>(*id));
    });
}

void ProfileTranslator::addLoadEvent(std::string_view modeName) {
    const auto known = static_cast<std::uint32_t>(loadModeNames_.size());
    if (loadModeIndex_.insert(modeName, known))
        loadModeNames_.push_back(modeName);
    loadEvents_.push_back(*loadModeIndex_.find(modeName));
}

bool ProfileTranslator::readLine(const ProfileLine& line, const ProfileLineReader& after) {
    const bool chains = line.section == FileSection::Chains;
    switch (line.kind) {
    case LineKind::Marker:
        marked_ = true;
        return true;
    case LineKind::Header:
        if (line.delay) {
            if (line.delay->kind == HeaderDelay::Kind::Press)
                translationDefaults().press = line.delay->value;
            else
                translationDefaults().release = line.delay->value;
        }
        return true;
    case LineKind::Script:
        return addScript(line);
    case LineKind::Opening:
        return chains ? openChain(line, after) : openMode(line, after);
    case LineKind::Closing:
        if (chains)
            return openChain_ ? convertChain() : true;
        return openMode_ ? convertMode() : true;
    case LineKind::Group:
        return countGroupLine(line);
    case LineKind::Assignment:
        if (openMode_)
            ++openMode_->entries;
        return true;
    }
    return true;
}

bool ProfileTranslator::addScript(const ProfileLine& line) {
    if (image_.scriptCount() >= kMax16)
        return overLimit("scripts", image_.scriptCount() + 1, kMax16, line.place());
    const std::string_view name = line.name;
    const std::string_view tokens = line.text.substr(name.size());
    // Every token follows a blank or tab, so only a line of more than twice the limit's
    // characters can hold too many; only such a line is counted before it is compiled.
    if (tokens.size() > 2 * kMax16) {
        const std::uint64_t tokenCount = countTokens(tokens);
        if (tokenCount > kMax16)
            return overLimit("events in the script " + std::string(name), tokenCount, kMax16,
                             line.place());
    }

    // The name goes into the index after the tokens are compiled, by which time its slot has
    // been fetched.
    names_.prefetchScript(name);
    const auto id = static_cast<std::uint16_t>(image_.scriptCount());
    image_.beginScript(id);
    // A faulty token is placed at the token before it is passed on.
    class TokenSink : public DiagnosticSink {
    public:
        TokenSink(ProfileTranslator& translator, const ProfileLine& line)
            : translator_(translator), line_(line) {}
        void report(Diagnostic fault) override {
            translator_.report(fault.severity, std::move(fault.text), std::move(fault.title),
                               fault.endsOperation, line_.placeOf(token));
        }
        std::string_view token;

    private:
        ProfileTranslator& translator_;
        const ProfileLine& line_;
    } tokenSink(*this, line);
    const ScriptCompiler compiler(translationDefaults(), tokenSink);
    forEachToken(tokens, [&](std::string_view token) {
        tokenSink.token = token;
        const ScriptEvent event = compiler.compile(token);
        image_.addEvent({event.opcode, event.data, event.delay});
        if (event.loadsMode)
            addLoadEvent(event.modeName);
    });
    names_.addScript(name, id);
    return true;
}

bool ProfileTranslator::openChain(const ProfileLine& line, const ProfileLineReader& after) {
    if (profile_.chains.size() >= kMax16)
        return overLimit("axis chains", profile_.chains.size() + 1, kMax16, line.place());
    ChainRecord record;
    record.name = std::string(line.name);
    openChain_ = OpenChain{profile_.chains.size(), line, after};
    profile_.chains.push_back(std::move(record));
    chainConverted_.push_back(false);
    chainHeaders_.push_back(line.place());
    return true;
}

bool ProfileTranslator::countGroupLine(const ProfileLine& line) {
    if (!openChain_)
        return true; // a group line outside any chain belongs to nothing
    const auto count = groupLineCount(line.text);
    if (!count)
        return refuse("Breakpoint error.", std::string(line.text), line.place());
    const std::string& chain = profile_.chains[openChain_->record].name;
    if (!groupCountFits(*count))
        return refuseAtLine(countOutOfRangeText(chain, *count), kLimitTitle, line.place());
    openChain_->breakpoints += static_cast<int>(*count);
    ++openChain_->groupLines;
    if (static_cast<std::uint64_t>(openChain_->breakpoints) > kMax8)
        return overLimit("breakpoints in the axis chain " + chain, openChain_->breakpoints, kMax8,
                         line.place());
    if (static_cast<std::uint64_t>(openChain_->groupLines) > kMax8)
        return overLimit("group lines in the axis chain " + chain, openChain_->groupLines, kMax8,
                         line.place());
    return true;
}

bool ProfileTranslator::convertChain() {
    const OpenChain open = *openChain_;
    openChain_.reset();
    ChainRecord& chain = profile_.chains[open.record];
    chain.id = static_cast<std::uint16_t>(nextChainId_++);
    chainConverted_[open.record] = true;

    std::uint64_t converted = 0;
    ProfileLineReader reader = open.after;
    ProfileLine line;
    while (reader.next(line) && line.text.front() != '{') {
        const auto fields = readGroupLine(line.text);
        if (!fields)
            return refuse("Error converting breakpoint.", "Breakpoint error.", line.place());
        if (nextGroup_ > kLastGroupNumber)
            return overLimit("breakpoint groups", nextGroup_ - kFirstGroupNumber + 1,
                             kLastGroupNumber - kFirstGroupNumber + 1, line.place());
        converted += fields->count;
        if (converted <= kMax8) {
            for (const int position :
                 expandGroup(fields->start, fields->end, static_cast<int>(fields->count))) {
                const auto p = static_cast<std::uint16_t>(static_cast<long long>(position) + 32767);
                chain.breakpoints.push_back({p, static_cast<std::uint16_t>(nextGroup_)});
            }
        }
        chain.groups.push_back({static_cast<std::uint16_t>(nextGroup_),
                                names_.scriptNumber(fields->increase),
                                names_.scriptNumber(fields->decrease)});
        ++nextGroup_;
    }
    if (converted != static_cast<std::uint64_t>(open.breakpoints)) {
        // Breakpoints missing or beyond the chain's count would fire the wrong scripts.
        return refuse("Not all breakpoints were processed.", "Mode Assignment Error.",
                      open.header.place());
    }
    convertedGroupLines_ += static_cast<long long>(chain.groups.size());
    names_.addChain(open.header.name, chain.id);
    return true;
}

bool ProfileTranslator::openMode(const ProfileLine& line, const ProfileLineReader& after) {
    if (profile_.configurations.size() >= kMax16)
        return overLimit("programming modes", profile_.configurations.size() + 1, kMax16,
                         line.place());
    ConfigurationRecord record;
    record.name = std::string(line.name);
    record.id = configurationId(line.name, nextModePosition_);
    ++nextModePosition_;
    names_.addMode(line.name, record.id);
    profile_.modeNames.push_back(record.name);
    openMode_ = OpenMode{profile_.configurations.size(), line, after};
    profile_.configurations.push_back(std::move(record));
    modeConverted_.push_back(false);
    modeHeaders_.push_back(line.place());
    return true;
}

bool ProfileTranslator::convertMode() {
    const OpenMode open = *openMode_;
    openMode_.reset();
    ConfigurationRecord& configuration = profile_.configurations[open.record];
    modeConverted_[open.record] = true;
    const bool isDefault = configuration.id == 0;

    const std::uint64_t declared =
        declaredEntries(configuration.name, static_cast<std::uint64_t>(open.entries),
                        static_cast<std::uint64_t>(convertedGroupLines_));
    if (declared > kMax16)
        return overLimit("entries in the programming mode " + configuration.name, declared, kMax16,
                         open.header.place());

    std::vector<DeviceEntry> filled;
    ProfileLineReader reader = open.after;
    ProfileLine line;
    while (reader.next(line) && line.text.front() != '{') {
        if (const auto entry = assignmentEntry(line.text))
            filled.push_back(*entry);
    }
    if (isDefault) {
        for (std::size_t c = 0; c < profile_.chains.size(); ++c) {
            for (const GroupRecord& group : profile_.chains[c].groups) {
                filled.push_back({kScriptEntry,
                                  static_cast<std::uint16_t>(breakpointCode(group.number, false)),
                                  group.decreaseId});
                filled.push_back({kScriptEntry,
                                  static_cast<std::uint16_t>(breakpointCode(group.number, true)),
                                  group.increaseId});
            }
        }
    }
    if (filled.size() > declared)
        return refuseAtLine(tooManyAssignmentsText(configuration.name, filled.size(), declared),
                            kProfileErrorTitle, open.header.place());
    if (filled.size() < declared) {
        // The missing entries are filled with zeros; the translation goes on.
        report(Severity::Warning, "Not all assignment were processed.", "Mode Assignment Error.",
               false, open.header.place());
    }
    filled.resize(static_cast<std::size_t>(declared));
    configuration.entries = std::move(filled);
    return true;
}

std::optional<DeviceEntry> ProfileTranslator::assignmentEntry(std::string_view line) const {
    const AssignmentParts parts = splitAssignment(line, LineGrammar::Translation);
    const std::string_view key = parts.key;
    const std::string_view value = parts.value;
    const SlotTable& table = SlotTable::instance();
    if (const auto code = table.deviceCodeOf(key))
        return DeviceEntry{kScriptEntry, static_cast<std::uint16_t>(*code),
                           names_.scriptNumber(value)};
    if (const auto axis = table.axisCodeOf(key)) {
        return DeviceEntry{kChainEntry, static_cast<std::uint16_t>(*axis),
                           names_.chainNumber(value)};
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> ProfileTranslator::deviceBytes() const {
    if (outputPath_.empty())
        return std::nullopt;
    return image_.bytes();
}

bool ProfileTranslator::writeDeviceFile() {
    if (outputPath_.empty())
        return false;
    return writeFileAtomically(outputPath_, image_.pieces(), &writeError_);
}

} // namespace vantrel
