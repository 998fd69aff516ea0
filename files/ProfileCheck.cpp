#include "files/ProfileCheck.h"

#include "files/DeviceFormat.h"
#include "files/GroupLinePattern.h"
#include "files/KeySuggestion.h"
#include "files/LineReader.h"
#include "profile/DefaultDelays.h"
#include "profile/Script.h"
#include "profile/ScriptCompiler.h"
#include "profile/SlotTable.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace vantrel {
namespace {

constexpr std::uint64_t kMax16 = 0xFFFF;
constexpr long long kMax8 = 0xFF;

bool isTokenSpace(char c) {
    return c == ' ' || c == '\t';
}

template <typename Visit> void forEachToken(std::string_view text, Visit visit) {
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isTokenSpace(text[i]))
            ++i;
        const std::size_t begin = i;
        while (i < text.size() && !isTokenSpace(text[i]))
            ++i;
        if (i > begin)
            visit(text.substr(begin, i - begin));
    }
}

// The name a mode's opening line gives it, as the translation reads it.
std::string_view modeNameOf(std::string_view line) {
    const std::string_view name = bracketedName(line);
    return name.substr(0, std::min(name.find('['), name.size()));
}

// An open chain or mode block and what has been counted in it so far.
struct OpenBlock {
    std::string_view name;
    std::string_view line;
    long long breakpoints = 0;
    long long lines = 0;
    bool reportedBreakpoints = false;
    bool reportedGroups = false;
};

// Walks the significant lines once, section by section, mirroring what the translation does
// with each kind of line.
class CheckPass {
public:
    explicit CheckPass(std::string_view text) : text_(text) {}

    std::vector<CheckFinding> run();

private:
    void collectModeNames();
    void readLine(std::string_view line);
    void readHeaderLine(std::string_view line);
    void readScript(std::string_view line);
    void readChainLine(std::string_view line);
    void readGroupLine(std::string_view line);
    void readModeLine(std::string_view line);
    void readAssignment(std::string_view line);
    void closeOpenBlock(std::optional<OpenBlock>& block, const char* kind, CheckSubject subject);
    void checkScriptName(std::string_view name, std::string_view at, CheckSubject subject,
                         std::string_view owner);
    void finish();
    void add(Severity severity, std::string text, std::string_view at, CheckSubject subject,
             std::string_view owner);

    std::string_view text_;
    std::vector<std::string_view> lines_;
    std::vector<std::uint32_t> numbers_;
    std::size_t current_ = 0;
    std::vector<CheckFinding> findings_;

    FileSection section_ = FileSection::Header;
    DefaultDelays delays_;
    std::unordered_set<std::string_view> allModes_;
    std::unordered_map<std::string_view, std::size_t> scripts_;
    std::string firstScript_;
    std::string firstChain_;
    std::unordered_set<std::string_view> chains_;
    std::unordered_set<std::string_view> closedChains_;
    std::unordered_set<std::string_view> modes_;
    std::optional<OpenBlock> openChain_;
    std::optional<OpenBlock> openMode_;
    std::string_view currentScript_;

    std::uint64_t deviceBytes_ = kDeviceHeaderSize + 2 * kDeviceCountSize + kDeviceEndSize;
    long long groupLines_ = 0;
    bool hasDefault_ = false;
};

void CheckPass::add(Severity severity, std::string text, std::string_view at, CheckSubject subject,
                    std::string_view owner) {
    CheckFinding finding;
    finding.diagnostic.severity = severity;
    finding.diagnostic.text = std::move(text);
    finding.diagnostic.title = severity == Severity::Error ? "Profile error." : "Profile warning.";
    if (!at.empty()) {
        finding.diagnostic.line = numbers_[current_];
        finding.diagnostic.column = columnIn(text_, at);
    }
    finding.subject = subject;
    finding.subjectName = std::string(owner);
    findings_.push_back(std::move(finding));
}

std::vector<CheckFinding> CheckPass::run() {
    lines_ = significantLines(text_, &numbers_);
    const bool marked = std::any_of(lines_.begin(), lines_.end(), [](std::string_view line) {
        return sectionOfMarker(line).has_value();
    });
    if (!marked) {
        add(Severity::Error,
            "Not a profile text file: it holds no section line such as " +
                std::string(kScriptListMarker) + ".",
            {}, CheckSubject::None, {});
        return std::move(findings_);
    }
    collectModeNames();
    for (current_ = 0; current_ < lines_.size(); ++current_)
        readLine(lines_[current_]);
    finish();
    std::stable_sort(findings_.begin(), findings_.end(),
                     [](const CheckFinding& a, const CheckFinding& b) {
                         return std::pair(a.diagnostic.line, a.diagnostic.column) <
                                std::pair(b.diagnostic.line, b.diagnostic.column);
                     });
    return std::move(findings_);
}

// A LOADMODE_ token may name a mode written further down, so all names are known first.
void CheckPass::collectModeNames() {
    FileSection section = FileSection::Header;
    for (const std::string_view line : lines_) {
        if (const auto marker = sectionOfMarker(line))
            section = *marker;
        else if (section == FileSection::Modes && line.front() == '[')
            allModes_.insert(modeNameOf(line));
    }
}

void CheckPass::readLine(std::string_view line) {
    if (const auto marker = sectionOfMarker(line)) {
        section_ = *marker;
        return;
    }
    switch (section_) {
    case FileSection::Header:
        return readHeaderLine(line);
    case FileSection::Scripts:
        return readScript(line);
    case FileSection::Chains:
        return readChainLine(line);
    case FileSection::Modes:
        return readModeLine(line);
    }
}

void CheckPass::readHeaderLine(std::string_view line) {
    if (const auto delay = readHeaderDelay(line)) {
        if (delay->kind == HeaderDelay::Kind::Press)
            delays_.press = delay->value;
        else
            delays_.release = delay->value;
    }
}

void CheckPass::readScript(std::string_view line) {
    const std::string_view name = scriptName(line);
    currentScript_ = name;
    if (!scripts_.emplace(name, scripts_.size()).second) {
        add(Severity::Warning,
            "The script " + std::string(name) +
                " is listed twice: the editor keeps only the first, the device gets both.",
            name, CheckSubject::Script, name);
    }
    if (scripts_.size() == 1)
        firstScript_ = std::string(name);

    // Each faulty token is reported with the translation's own text, at the token.
    class TokenSink : public DiagnosticSink {
    public:
        explicit TokenSink(CheckPass& pass) : pass_(pass) {}
        void report(Diagnostic fault) override {
            pass_.add(fault.severity, fault.text + fault.title, token, CheckSubject::Script,
                      pass_.currentScript_);
        }
        std::string_view token;

    private:
        CheckPass& pass_;
    } sink(*this);
    const ScriptCompiler compiler(delays_, sink);
    std::uint64_t events = 0;
    forEachToken(line.substr(name.size()), [&](std::string_view token) {
        sink.token = token;
        const ScriptEvent event = compiler.compile(token);
        ++events;
        if (event.loadsMode && !allModes_.contains(event.modeName)) {
            add(Severity::Error,
                "LOADMODE_ names no programming mode " + std::string(event.modeName) +
                    ": the device would load DEFAULT.",
                token, CheckSubject::Script, name);
        }
    });
    if (events > kMax16) {
        add(Severity::Error,
            "Too many events in the script " + std::string(name) + ":  " + std::to_string(events) +
                " (at most " + std::to_string(kMax16) + ").",
            line, CheckSubject::Script, name);
    }
    deviceBytes_ += kDeviceScriptHeaderSize + kDeviceEventSize * events;
}

void CheckPass::checkScriptName(std::string_view name, std::string_view at, CheckSubject subject,
                                std::string_view owner) {
    if (name.empty() || scripts_.contains(name))
        return;
    const std::string first = firstScript_.empty() ? "no script at all" : firstScript_;
    add(Severity::Error,
        "No script is named " + std::string(name) + ": the device would get script 0 (" + first +
            ").",
        at, subject, owner);
}

void CheckPass::closeOpenBlock(std::optional<OpenBlock>& block, const char* kind,
                               CheckSubject subject) {
    if (!block)
        return;
    const std::size_t here = current_;
    const std::string_view opening = block->line;
    current_ = static_cast<std::size_t>(
        std::find_if(lines_.begin(), lines_.end(),
                     [opening](std::string_view line) { return line.data() == opening.data(); }) -
        lines_.begin());
    add(Severity::Error,
        std::string("The ") + kind + " " + std::string(block->name) + " has no closing line.",
        block->line, subject, block->name);
    current_ = here;
    block.reset();
}

void CheckPass::readChainLine(std::string_view line) {
    if (line.front() == '[') {
        closeOpenBlock(openChain_, "axis chain", CheckSubject::Chain);
        const std::string_view name = bracketedName(line);
        if (!chains_.insert(name).second)
            add(Severity::Warning, "The axis chain " + std::string(name) + " is written twice.",
                line, CheckSubject::Chain, name);
        openChain_ = OpenBlock{name, line};
        deviceBytes_ += kDeviceChainHeaderSize;
        return;
    }
    if (line.front() == '{') {
        if (!openChain_) {
            add(Severity::Warning, "A closing line outside any axis chain is ignored.", line,
                CheckSubject::None, {});
            return;
        }
        if (closedChains_.empty())
            firstChain_ = std::string(openChain_->name);
        closedChains_.insert(openChain_->name);
        openChain_.reset();
        return;
    }
    readGroupLine(line);
}

void CheckPass::readGroupLine(std::string_view line) {
    if (!openChain_) {
        add(Severity::Error,
            "A group line outside any axis chain is ignored: open a chain with [name] first.", line,
            CheckSubject::None, {});
        return;
    }
    OpenBlock& chain = *openChain_;
    const std::string name(chain.name);
    const auto count = groupLineCount(line);
    if (!count) {
        add(Severity::Error, "Breakpoint error.", line, CheckSubject::Chain, chain.name);
        return;
    }
    if (*count < 0 || *count > kMax8) {
        add(Severity::Error,
            "Breakpoint count out of range in the axis chain " + name + ":  " +
                std::to_string(*count) + " (0 to 255).",
            line, CheckSubject::Chain, chain.name);
        return;
    }
    const auto fields = vantrel::readGroupLine(line);
    if (!fields) {
        add(Severity::Error, "Error converting breakpoint.", line, CheckSubject::Chain, chain.name);
        return;
    }
    if (fields->count != static_cast<std::uint64_t>(*count)) {
        add(Severity::Error,
            "The Count reads " + std::to_string(*count) + " as a signed number and " +
                std::to_string(fields->count) +
                " as an unsigned one: write it in plain decimal digits.",
            line, CheckSubject::Chain, chain.name);
    }
    chain.breakpoints += *count;
    ++chain.lines;
    ++groupLines_;
    deviceBytes_ += kDeviceBreakpointSize * static_cast<std::uint64_t>(*count);
    if (chain.breakpoints > kMax8 && !chain.reportedBreakpoints) {
        chain.reportedBreakpoints = true;
        add(Severity::Error,
            "Too many breakpoints in the axis chain " + name + ":  " +
                std::to_string(chain.breakpoints) + " (at most 255).",
            line, CheckSubject::Chain, chain.name);
    }
    if (chain.lines > kMax8 && !chain.reportedGroups) {
        chain.reportedGroups = true;
        add(Severity::Error,
            "Too many group lines in the axis chain " + name + ":  " + std::to_string(chain.lines) +
                " (at most 255).",
            line, CheckSubject::Chain, chain.name);
    }
    checkScriptName(fields->increase, fields->increase, CheckSubject::Chain, chain.name);
    checkScriptName(fields->decrease, fields->decrease, CheckSubject::Chain, chain.name);
}

void CheckPass::readModeLine(std::string_view line) {
    if (line.front() == '[') {
        closeOpenBlock(openMode_, "programming mode", CheckSubject::Mode);
        const std::string_view name = modeNameOf(line);
        if (!modes_.insert(name).second)
            add(Severity::Warning,
                "The programming mode " + std::string(name) + " is written twice.", line,
                CheckSubject::Mode, name);
        if (name == kDefaultModeName)
            hasDefault_ = true;
        else if (namesEqualIgnoringCase(name, kDefaultModeName))
            add(Severity::Warning,
                "The mode " + std::string(name) +
                    " is not the base mode: only DEFAULT in capitals is.",
                line, CheckSubject::Mode, name);
        openMode_ = OpenBlock{name, line};
        deviceBytes_ += kDeviceConfigurationHeaderSize;
        return;
    }
    if (line.front() == '{') {
        if (!openMode_) {
            add(Severity::Warning, "A closing line outside any programming mode is ignored.", line,
                CheckSubject::None, {});
            return;
        }
        deviceBytes_ += kDeviceEntrySize * static_cast<std::uint64_t>(openMode_->lines);
        openMode_.reset();
        return;
    }
    if (!openMode_) {
        add(Severity::Error,
            "An assignment outside any programming mode is ignored: open a mode with [name] "
            "first.",
            line, CheckSubject::None, {});
        return;
    }
    ++openMode_->lines;
    readAssignment(line);
}

void CheckPass::readAssignment(std::string_view line) {
    const std::string_view mode = openMode_->name;
    const std::string_view key = line.substr(0, std::min(line.find_first_of(" \""), line.size()));
    const std::size_t equals = line.find('=');
    const std::string_view value = equals == std::string_view::npos
                                       ? std::string_view()
                                       : trimLeadingFileSpace(line.substr(equals + 1));
    const SlotTable& table = SlotTable::instance();
    if (table.deviceCodeOf(key)) {
        checkScriptName(value, value, CheckSubject::Mode, mode);
        return;
    }
    if (table.axisCodeOf(key)) {
        if (!value.empty() && !closedChains_.contains(value))
            add(Severity::Error,
                "No axis chain is named " + std::string(value) +
                    " before this mode: the device would get chain 0 (" +
                    (firstChain_.empty() ? std::string("no chain at all") : firstChain_) + ").",
                value, CheckSubject::Mode, mode);
        return;
    }
    const std::size_t keyEquals = key.find('=');
    if (keyEquals != std::string_view::npos) {
        add(Severity::Error,
            "No blank before '=': the line is ignored; write " +
                std::string(key.substr(0, keyEquals)) + " = ...",
            key, CheckSubject::Mode, mode);
        return;
    }
    add(Severity::Error,
        std::string(key) + " is not an assignment key, so the line is ignored; did you mean " +
            std::string(nearestAssignmentKey(key)) + "?",
        key, CheckSubject::Mode, mode);
}

void CheckPass::finish() {
    closeOpenBlock(openChain_, "axis chain", CheckSubject::Chain);
    closeOpenBlock(openMode_, "programming mode", CheckSubject::Mode);
    if (!hasDefault_)
        add(Severity::Warning, "No programming mode is named DEFAULT: the device has no base mode.",
            {}, CheckSubject::None, {});
    if (scripts_.size() > kMax16)
        add(Severity::Error,
            "Too many scripts:  " + std::to_string(scripts_.size()) + " (at most 65535).", {},
            CheckSubject::None, {});
    if (hasDefault_)
        deviceBytes_ += kDeviceEntrySize * 2 * static_cast<std::uint64_t>(groupLines_);
    if (deviceBytes_ > kDeviceProfileCapacity)
        add(Severity::Error,
            "The device profile file would be " + std::to_string(deviceBytes_) +
                " bytes; the device holds at most " + std::to_string(kDeviceProfileCapacity) + ".",
            {}, CheckSubject::None, {});
}

} // namespace

std::vector<CheckFinding> checkProfileText(std::string_view text) {
    return CheckPass(text).run();
}

} // namespace vantrel
