#include "files/ProfileTextWriter.h"

#include "profile/SlotTable.h"
#include "profile/ViewIndex.h"

#include <string_view>

namespace vantrel {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

class TextBuilder {
public:
    explicit TextBuilder(std::size_t expectedSize) { text_.reserve(expectedSize); }
    TextBuilder& operator<<(std::string_view text) {
        text_.append(text);
        return *this;
    }
    void line(std::string_view text = {}) {
        text_.append(text);
        text_.append(kLineEnd);
    }
    std::string take() { return std::move(text_); }

private:
    std::string text_;
};

// At least the length of the composed text, so that it is built in one allocation instead of
// being copied each time it outgrows its buffer.
std::size_t composedSizeBound(const Profile& profile, const std::string& fileName) {
    constexpr std::size_t kFixedText = 512;
    std::size_t size = kFixedText + fileName.size();
    for (const Script& script : profile.scripts)
        size += script.size() + kLineEnd.size();
    for (const AxisChain& chain : profile.chains.chains()) {
        size += 2 * (chain.name().size() + 2 + kLineEnd.size()) + kLineEnd.size();
        for (const std::string& group : chain.groups())
            size += group.size() + kLineEnd.size();
    }
    const SlotTable& table = SlotTable::instance();
    for (const ProgrammingMode& mode : profile.modes) {
        size += 2 * (mode.name().size() + 2 + kLineEnd.size()) + kLineEnd.size();
        for (int position = 1; position <= kSlotCount; ++position) {
            const Assignment& value = mode.assignment(position);
            if (!value.empty())
                size += table.atPosition(position).name.size() + 3 + value.size() + kLineEnd.size();
        }
    }
    return size;
}

void writeScripts(TextBuilder& out, const Profile& profile,
                  const std::vector<std::string>& listedNames) {
    ViewIndex firstByName(profile.scripts.size());
    for (std::size_t i = 0; i < profile.scripts.size(); ++i)
        firstByName.insert(scriptName(profile.scripts[i]), static_cast<std::uint32_t>(i));
    for (const std::string& name : listedNames) {
        if (const auto first = firstByName.find(name))
            out.line(profile.scripts[*first]);
    }
}

void writeModes(TextBuilder& out, const Profile& profile) {
    const SlotTable& table = SlotTable::instance();
    for (const ProgrammingMode& mode : profile.modes) {
        out.line();
        out << "[" << mode.name();
        out.line("]");
        for (int position : table.fileKeyOrder()) {
            const Assignment& value = mode.assignment(position);
            if (value.empty())
                continue;
            out << table.atPosition(position).name << " = ";
            out.line(value);
        }
        out << "{" << mode.name();
        out.line("}");
    }
}

} // namespace

std::string composeProfileText(const Profile& profile, const std::vector<std::string>& listedNames,
                               const std::string& fileName) {
    TextBuilder out(composedSizeBound(profile, fileName));
    out << "# Vantrel: " << fileName;
    out.line();
    out.line();
    out.line("# Full profile script listing.");
    out.line();
    out.line("<HEADER>");
    out.line("DEFAULT_PRESS_DELAY=" + std::to_string(profile.pressDelay));
    out.line("DEFAULT_RELEASE_DELAY=" + std::to_string(profile.releaseDelay));
    out.line();
    out.line("<SCRIPTLIST>");
    writeScripts(out, profile, listedNames);
    out.line();
    out.line();
    out.line("# Axis Chains and Breakpoints:");
    out.line("<AXIS_CHAINS>");
    for (const AxisChain& chain : profile.chains.chains()) {
        out.line();
        out << "[" << chain.name();
        out.line("]");
        for (const std::string& group : chain.groups())
            out.line(group);
        out << "{" << chain.name();
        out.line("}");
    }
    out.line();
    out.line();
    out.line("# Programmed Modes and Assignments:");
    out.line("<PROGRAM_MODES>");
    writeModes(out, profile);
    return out.take();
}

bool writeProfileText(const Profile& profile, const std::vector<std::string>& listedNames,
                      const std::string& fileName, ProfileOutput& output,
                      DiagnosticSink& diagnostics, MessageOwner owner) {
    const std::string text = composeProfileText(profile, listedNames, fileName);
    if (!output.isOpen() || !output.write(text) || !output.finish()) {
        Diagnostic error{Severity::Error, kSaveErrorText, kSaveErrorTitle};
        error.endsOperation = true;
        error.owner = owner;
        diagnostics.report(std::move(error));
        return false;
    }
    return true;
}

} // namespace vantrel
