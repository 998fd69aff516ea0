#include "files/ProfileTranslator.h"

#include "files/DeviceFileWriter.h"
#include "files/GroupLinePattern.h"
#include "files/LineReader.h"
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

std::size_t ProfileTranslator::lineOf(std::string_view at) {
    if (at.empty())
        return 0;
    return places_.placeOf(static_cast<std::size_t>(at.data() - text_.data())).line;
}

void ProfileTranslator::report(Severity severity, std::string text, std::string title,
                               bool endsOperation, std::string_view at) {
    Diagnostic diagnostic{severity, std::move(text), std::move(title)};
    diagnostic.endsOperation = endsOperation;
    if (!at.empty()) {
        const TextPlaces::Place place =
            places_.placeOf(static_cast<std::size_t>(at.data() - text_.data()));
        diagnostic.line = place.line;
        diagnostic.column = place.column;
    }
    diagnostics_.report(std::move(diagnostic));
}

bool ProfileTranslator::refuse(std::string text, std::string title, std::string_view at) {
    report(Severity::Error, std::move(text), std::move(title), true, at);
    return false;
}

bool ProfileTranslator::refuseAtLine(const std::string& text, std::string title,
                                     std::string_view at) {
    return refuse(withLineNumber(lineOf(at), text), std::move(title), at);
}

bool ProfileTranslator::overLimit(const std::string& what, std::uint64_t count, std::uint64_t limit,
                                  std::string_view at) {
    const std::string text = tooManyText(what, count, limit);
    return at.empty() ? refuse(text, kLimitTitle) : refuseAtLine(text, kLimitTitle, at);
}

void ProfileTranslator::translate() {
    textRead_ = true;
    places_ = TextPlaces(text_);
    // Room for exactly the scripts and events of the text, up to the most scripts the device
    // holds, so that the image is never copied to grow.
    const ScriptSectionSize size = scriptSectionSize(text_);
    const std::size_t mostScripts = std::min<std::size_t>(size.scripts, kMax16);
    scriptIds_ = ViewIndex(mostScripts);
    image_.reserve(mostScripts, static_cast<std::size_t>(size.events));
    LineReader reader(text_);
    std::string_view line;
    while (reader.next(line)) {
        if (!readLine(line, text_.size() - reader.rest().size()))
            return;
    }
    if (section_ == FileSection::Header) {
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
                  std::numeric_limits<std::uint32_t>::max(), {});
        return;
    }
    length_ = static_cast<std::uint32_t>(length);
    outputPath_ = deviceFilePathFor(path_);
    resolveLoadEvents();
    image_.finish(profile_);
}

void ProfileTranslator::resolveLoadEvents() {
    ViewIndex modeIds(profile_.modeNames.size());
    for (std::size_t i = 0; i < profile_.modeNames.size(); ++i) {
        const std::string& name = profile_.modeNames[i];
        modeIds.insert(name, name == kDefaultModeName ? 0 : static_cast<std::uint32_t>(i + 1));
    }
    std::vector<std::optional<std::uint32_t>> ids;
    ids.reserve(loadModeNames_.size());
    for (const std::string_view name : loadModeNames_)
        ids.push_back(modeIds.find(name));
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

bool ProfileTranslator::readLine(std::string_view line, std::size_t next) {
    if (const auto marker = sectionOfMarker(line)) {
        section_ = *marker;
        return true;
    }
    switch (section_) {
    case FileSection::Header:
        if (const auto delay = readHeaderDelay(line)) {
            if (delay->kind == HeaderDelay::Kind::Press)
                translationDefaults().press = delay->value;
            else
                translationDefaults().release = delay->value;
        }
        return true;
    case FileSection::Scripts:
        return addScript(line);
    case FileSection::Chains:
        if (line.front() == '[')
            return openChain(line, next);
        if (line.front() == '{')
            return openChain_ ? convertChain() : true;
        return countGroupLine(line);
    case FileSection::Modes:
        if (line.front() == '[')
            return openMode(line, next);
        if (line.front() == '{')
            return openMode_ ? convertMode() : true;
        if (openMode_)
            ++openMode_->entries;
        return true;
    }
    return true;
}

bool ProfileTranslator::addScript(std::string_view line) {
    if (image_.scriptCount() >= kMax16)
        return overLimit("scripts", image_.scriptCount() + 1, kMax16, line);
    const std::string_view name = scriptName(line);
    const std::string_view tokens = line.substr(name.size());
    // Every token follows a blank or tab, so only a line of more than twice the limit's
    // characters can hold too many; only such a line is counted before it is compiled.
    if (tokens.size() > 2 * kMax16) {
        const std::uint64_t tokenCount = countTokens(tokens);
        if (tokenCount > kMax16)
            return overLimit("events in the script " + std::string(name), tokenCount, kMax16, line);
    }

    // The name goes into the index after the tokens are compiled, by which time its slot has
    // been fetched.
    scriptIds_.prefetch(name);
    const auto id = static_cast<std::uint16_t>(image_.scriptCount());
    image_.beginScript(id);
    // A faulty token is placed at the token before it is passed on.
    class TokenSink : public DiagnosticSink {
    public:
        explicit TokenSink(ProfileTranslator& translator) : translator_(translator) {}
        void report(Diagnostic fault) override {
            translator_.report(fault.severity, std::move(fault.text), std::move(fault.title),
                               fault.endsOperation, token);
        }
        std::string_view token;

    private:
        ProfileTranslator& translator_;
    } tokenSink(*this);
    const ScriptCompiler compiler(translationDefaults(), tokenSink);
    forEachToken(tokens, [&](std::string_view token) {
        tokenSink.token = token;
        const ScriptEvent event = compiler.compile(token);
        image_.addEvent({event.opcode, event.data, event.delay});
        if (event.loadsMode)
            addLoadEvent(event.modeName);
    });
    scriptIds_.insert(name, id);
    return true;
}

std::uint16_t ProfileTranslator::scriptId(std::string_view name) const {
    return static_cast<std::uint16_t>(scriptIds_.find(name).value_or(0));
}

bool ProfileTranslator::openChain(std::string_view line, std::size_t next) {
    if (profile_.chains.size() >= kMax16)
        return overLimit("axis chains", profile_.chains.size() + 1, kMax16, line);
    ChainRecord record;
    record.name = std::string(bracketedName(line));
    openChain_ = OpenChain{profile_.chains.size(), next, line};
    profile_.chains.push_back(std::move(record));
    chainConverted_.push_back(false);
    chainHeaders_.push_back(line);
    return true;
}

bool ProfileTranslator::countGroupLine(std::string_view line) {
    if (!openChain_)
        return true; // a group line outside any chain belongs to nothing
    const auto count = groupLineCount(line);
    if (!count)
        return refuse("Breakpoint error.", std::string(line), line);
    const std::string& chain = profile_.chains[openChain_->record].name;
    if (*count < 0 || static_cast<std::uint64_t>(*count) > kMax8)
        return refuseAtLine(countOutOfRangeText(chain, *count), kLimitTitle, line);
    openChain_->breakpoints += static_cast<int>(*count);
    ++openChain_->groupLines;
    if (static_cast<std::uint64_t>(openChain_->breakpoints) > kMax8)
        return overLimit("breakpoints in the axis chain " + chain, openChain_->breakpoints, kMax8,
                         line);
    if (static_cast<std::uint64_t>(openChain_->groupLines) > kMax8)
        return overLimit("group lines in the axis chain " + chain, openChain_->groupLines, kMax8,
                         line);
    return true;
}

bool ProfileTranslator::convertChain() {
    const OpenChain open = *openChain_;
    openChain_.reset();
    ChainRecord& chain = profile_.chains[open.record];
    chain.id = static_cast<std::uint16_t>(nextChainId_++);
    chainConverted_[open.record] = true;

    std::uint64_t converted = 0;
    LineReader reader(text_.substr(open.firstLine));
    std::string_view line;
    while (reader.next(line) && line.front() != '{') {
        const auto fields = readGroupLine(line);
        if (!fields)
            return refuse("Error converting breakpoint.", "Breakpoint error.", line);
        if (nextGroup_ > kLastGroupNumber)
            return overLimit("breakpoint groups", nextGroup_ - kFirstGroupNumber + 1,
                             kLastGroupNumber - kFirstGroupNumber + 1, line);
        converted += fields->count;
        if (converted <= kMax8) {
            for (const int position :
                 expandGroup(fields->start, fields->end, static_cast<int>(fields->count))) {
                const auto p = static_cast<std::uint16_t>(static_cast<long long>(position) + 32767);
                chain.breakpoints.push_back({p, static_cast<std::uint16_t>(nextGroup_)});
            }
        }
        chain.groups.push_back({static_cast<std::uint16_t>(nextGroup_), scriptId(fields->increase),
                                scriptId(fields->decrease)});
        ++nextGroup_;
    }
    if (converted != static_cast<std::uint64_t>(open.breakpoints)) {
        // Breakpoints missing or beyond the chain's count would fire the wrong scripts.
        return refuse("Not all breakpoints were processed.", "Mode Assignment Error.", open.header);
    }
    convertedGroupLines_ += static_cast<long long>(chain.groups.size());
    chainIds_.insert(bracketedName(open.header), chain.id);
    return true;
}

bool ProfileTranslator::openMode(std::string_view line, std::size_t next) {
    if (profile_.configurations.size() >= kMax16)
        return overLimit("programming modes", profile_.configurations.size() + 1, kMax16, line);
    std::string_view name = bracketedName(line);
    name = name.substr(0, std::min(name.find('['), name.size()));
    ConfigurationRecord record;
    record.name = std::string(name);
    record.id = name == kDefaultModeName ? 0 : static_cast<std::uint16_t>(nextModePosition_);
    ++nextModePosition_;
    profile_.modeNames.push_back(record.name);
    openMode_ = OpenMode{profile_.configurations.size(), next, line};
    profile_.configurations.push_back(std::move(record));
    modeConverted_.push_back(false);
    modeHeaders_.push_back(line);
    return true;
}

bool ProfileTranslator::convertMode() {
    const OpenMode open = *openMode_;
    openMode_.reset();
    ConfigurationRecord& configuration = profile_.configurations[open.record];
    modeConverted_[open.record] = true;
    const bool isDefault = configuration.id == 0;

    long long declared = open.entries;
    if (isDefault)
        declared += 2 * convertedGroupLines_;
    if (static_cast<std::uint64_t>(declared) > kMax16)
        return overLimit("entries in the programming mode " + configuration.name,
                         static_cast<std::uint64_t>(declared), kMax16, open.header);

    std::vector<DeviceEntry> filled;
    LineReader reader(text_.substr(open.firstLine));
    std::string_view line;
    while (reader.next(line) && line.front() != '{') {
        if (const auto entry = assignmentEntry(line))
            filled.push_back(*entry);
    }
    if (isDefault) {
        for (std::size_t c = 0; c < profile_.chains.size(); ++c) {
            for (const GroupRecord& group : profile_.chains[c].groups) {
                const auto code = static_cast<std::uint16_t>(2 * group.number);
                filled.push_back({kScriptEntry, code, group.decreaseId});
                filled.push_back(
                    {kScriptEntry, static_cast<std::uint16_t>(code + 1), group.increaseId});
            }
        }
    }
    if (filled.size() > static_cast<std::size_t>(declared))
        return refuseAtLine(tooManyAssignmentsText(configuration.name, filled.size(),
                                                   static_cast<std::uint64_t>(declared)),
                            kProfileErrorTitle, open.header);
    if (filled.size() < static_cast<std::size_t>(declared)) {
        // The missing entries are filled with zeros; the translation goes on.
        report(Severity::Warning, "Not all assignment were processed.", "Mode Assignment Error.",
               false, open.header);
    }
    filled.resize(static_cast<std::size_t>(declared));
    configuration.entries = std::move(filled);
    return true;
}

std::optional<DeviceEntry> ProfileTranslator::assignmentEntry(std::string_view line) const {
    const AssignmentLine parts = splitAssignmentLine(line);
    const std::string_view key = parts.key;
    const std::string_view value = parts.value;
    const SlotTable& table = SlotTable::instance();
    if (const auto code = table.deviceCodeOf(key))
        return DeviceEntry{kScriptEntry, static_cast<std::uint16_t>(*code), scriptId(value)};
    if (const auto axis = table.axisCodeOf(key)) {
        return DeviceEntry{kChainEntry, static_cast<std::uint16_t>(*axis),
                           static_cast<std::uint16_t>(chainIds_.find(value).value_or(0))};
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
