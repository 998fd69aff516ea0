#include "files/ProfileCheck.h"

#include "devicefile/DeviceFormat.h"
#include "files/ChainCheck.h"
#include "files/CheckFindings.h"
#include "files/CheckNames.h"
#include "files/HeaderDelayCheck.h"
#include "files/KeySuggestion.h"
#include "files/ModeCheck.h"
#include "files/ProfileLines.h"
#include "files/ScriptTokens.h"
#include "files/TranslationLimits.h"
#include "profile/DefaultDelays.h"
#include "profile/Script.h"
#include "profile/ScriptCompiler.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

namespace vantrel {
namespace {

// The lines written in the form of a section line: the three that switch the section, and
// the header's, which the writer puts first and the reader takes as a header line.
constexpr std::array<std::string_view, 4> kSectionLines{"<HEADER>", kScriptListMarker,
                                                        kAxisChainsMarker, kProgramModesMarker};

// A line in angle brackets, of letters, digits and underscores, that is none of those
// above: most likely a misspelt one, since a script, group or assignment line never looks so.
bool isUnknownSectionLine(std::string_view line) {
    if (line.size() < 3 || line.front() != '<' || line.back() != '>')
        return false;
    for (const char c : line.substr(1, line.size() - 2)) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return false;
    }
    return std::ranges::find(kSectionLines, line) == kSectionLines.end();
}

// Walks the significant lines once, section by section, doing with each kind of line what
// the translation does and reporting where the device would get something other than the
// text says, or where the translation would refuse the profile.
class CheckPass {
public:
    explicit CheckPass(std::string_view text)
        : findings_(text), chains_(findings_, names_), modes_(findings_, names_, chains_) {}

    std::vector<CheckFinding> run();

private:
    // Notes what must be known before the pass: every mode's name and how many script
    // lines there are. False when the text has no section line at all.
    bool survey();
    void readLine(std::size_t index);
    void readScript(const ProfileLine& line);
    // The number of the first spelling of a name that differs from it only in letter case;
    // nothing for a name not seen in any case, which is noted.
    std::optional<std::uint32_t> firstSpellingOf(std::string_view name);
    void finish();

    CheckFindings findings_;
    CheckNames names_;
    ChainCheck chains_;
    ModeCheck modes_;
    // After an unknown section line, until the next real one: what follows belongs to a
    // section the translation does not know, and checking it as the section before would
    // only repeat that one mistake on every line.
    bool inUnknownSection_ = false;
    DefaultDelays delays_;
    // Each script's name in small letters, side by side in one buffer made large enough for
    // all of them (so the views into it stay valid), indexed to the number of the name as
    // first written: the editor's list tells names apart only by more than letter case.
    std::string foldedNames_;
    ViewIndex foldedScripts_;
    std::vector<std::string_view> firstSpellings_;
    std::uint64_t scriptCount_ = 0;
    std::uint64_t scriptBytes_ = 0;
};

std::vector<CheckFinding> CheckPass::run() {
    if (!survey()) {
        findings_.error(notProfileTextText(), {}, CheckSubject::None, {});
        return findings_.take();
    }
    const std::size_t lineCount = findings_.lines().size();
    for (std::size_t i = 0; i < lineCount; ++i)
        readLine(i);
    finish();
    return findings_.take();
}

bool CheckPass::survey() {
    bool marked = false;
    std::size_t scriptLines = 0;
    std::size_t nameBytes = 0;
    std::vector<const ProfileLine*> modeHeaders;
    for (const ProfileLine& line : findings_.lines()) {
        if (line.kind == LineKind::Marker) {
            marked = true;
        } else if (line.kind == LineKind::Script) {
            ++scriptLines;
            nameBytes += line.name.size();
        } else if (line.kind == LineKind::Opening && line.section == FileSection::Modes) {
            modeHeaders.push_back(&line);
        }
    }
    names_.known = TranslationNames(scriptLines);
    for (const ProfileLine* header : modeHeaders)
        modes_.noteHeader(*header);
    foldedScripts_ = ViewIndex(scriptLines);
    foldedNames_.reserve(nameBytes);
    firstSpellings_.reserve(scriptLines);
    return marked;
}

void CheckPass::readLine(std::size_t index) {
    const ProfileLine& record = findings_.lines()[index];
    const std::string_view line = record.text;
    if (record.kind == LineKind::Marker) {
        inUnknownSection_ = false;
        return;
    }
    if (isUnknownSectionLine(line)) {
        const std::string_view nearest = nearestWord(line, kSectionLines);
        const std::string text = "Unknown section line " + std::string(line) + "; did you mean " +
                                 std::string(nearest) + "?";
        // A misspelt header line changes nothing; any other leaves its lines in the section
        // before it.
        if (nearest == kSectionLines.front()) {
            findings_.warning(text, line, CheckSubject::None, {});
            return;
        }
        findings_.error(text + " Its lines are read as lines of the section before it (not "
                               "checked further until the next section line).",
                        line, CheckSubject::None, {});
        inUnknownSection_ = true;
        return;
    }
    if (inUnknownSection_)
        return;
    switch (record.section) {
    case FileSection::Header:
        if (const auto delay = checkHeaderDelayLine(line, findings_))
            (delay->kind == HeaderDelay::Kind::Press ? delays_.press : delays_.release) =
                delay->value;
        return;
    case FileSection::Scripts:
        return readScript(record);
    case FileSection::Chains:
        return chains_.readLine(index);
    case FileSection::Modes:
        return modes_.readLine(index);
    }
}

void CheckPass::readScript(const ProfileLine& record) {
    const std::string_view line = record.text;
    const std::string_view name = record.name;
    if (++scriptCount_ == kMost16BitCount + 1)
        findings_.error(tooManyText("scripts", scriptCount_, kMost16BitCount), line,
                        CheckSubject::Script, name);
    if (scriptCount_ == 1)
        names_.firstScript = name;
    if (!names_.known.addScript(name, static_cast<std::uint32_t>(scriptCount_ - 1))) {
        findings_.warning("The script " + std::string(name) +
                              " is listed twice: the editor keeps only the first, the device "
                              "gets both.",
                          name, CheckSubject::Script, name);
    } else if (const std::optional<std::uint32_t> first = firstSpellingOf(name)) {
        findings_.warning("The script " + std::string(name) + " differs from the script " +
                              std::string(firstSpellings_[*first]) +
                              " only in letter case: the editor keeps only the first, the "
                              "device gets both.",
                          name, CheckSubject::Script, name);
    }

    // Each faulty token is reported with the translation's own text, at the token.
    class TokenSink : public DiagnosticSink {
    public:
        TokenSink(CheckFindings& findings, std::string_view script)
            : findings_(findings), script_(script) {}
        void report(Diagnostic fault) override {
            findings_.add(fault.severity, fault.text + fault.title, token, CheckSubject::Script,
                          script_);
        }
        std::string_view token;

    private:
        CheckFindings& findings_;
        std::string_view script_;
    } sink(findings_, name);
    const ScriptCompiler compiler(delays_, sink);
    std::uint64_t events = 0;
    forEachToken(line.substr(name.size()), [&](std::string_view token) {
        sink.token = token;
        const ScriptEvent event = compiler.compile(token);
        ++events;
        if (event.loadsMode && !names_.known.mode(event.modeName)) {
            findings_.error("LOADMODE_ names no programming mode " + std::string(event.modeName) +
                                ": the device would load DEFAULT.",
                            token, CheckSubject::Script, name);
        }
    });
    if (events > kMost16BitCount)
        findings_.error(
            tooManyText("events in the script " + std::string(name), events, kMost16BitCount), line,
            CheckSubject::Script, name);
    scriptBytes_ += scriptSize(events);
}

std::optional<std::uint32_t> CheckPass::firstSpellingOf(std::string_view name) {
    const std::size_t start = foldedNames_.size();
    appendFoldedName(foldedNames_, name);
    const std::string_view folded = std::string_view(foldedNames_).substr(start);
    const auto number = static_cast<std::uint32_t>(firstSpellings_.size());
    if (foldedScripts_.insert(folded, number)) {
        firstSpellings_.push_back(name);
        return std::nullopt;
    }
    const std::optional<std::uint32_t> first = foldedScripts_.find(folded);
    foldedNames_.resize(start); // only the first spelling's key is kept
    return first;
}

void CheckPass::finish() {
    const std::size_t end = findings_.lines().size();
    chains_.finish(end);
    modes_.finish(end);
    names_.reportUnresolved(findings_);
    if (!modes_.hasBaseMode())
        findings_.warning("No programming mode is named DEFAULT: the device has no base mode.", {},
                          CheckSubject::None, {});
    const std::uint64_t deviceBytes =
        kDeviceFrameSize + scriptBytes_ + chains_.deviceBytes() + modes_.deviceBytes();
    if (deviceBytes > kDeviceProfileCapacity)
        findings_.error("The device profile file would be " + std::to_string(deviceBytes) +
                            " bytes; the device holds at most " +
                            std::to_string(kDeviceProfileCapacity) + ".",
                        {}, CheckSubject::None, {});
}

} // namespace

std::vector<CheckFinding> checkProfileText(std::string_view text) {
    return CheckPass(text).run();
}

} // namespace vantrel
