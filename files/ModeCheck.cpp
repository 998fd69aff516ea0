#include "files/ModeCheck.h"

#include "devicefile/DeviceFormat.h"
#include "files/KeySuggestion.h"
#include "files/ProfileLines.h"
#include "files/TranslationLimits.h"
#include "profile/Script.h"
#include "profile/SlotTable.h"

#include <algorithm>
#include <string>

namespace vantrel {

void ModeCheck::noteHeader(const ProfileLine& line) {
    const std::string_view header = line.text;
    const std::string_view name = line.name;
    if (++modeCount_ == kMost16BitCount + 1)
        findings_.error(tooManyText("programming modes", modeCount_, kMost16BitCount), header,
                        CheckSubject::Mode, name);
    if (!names_.known.addMode(name, configurationId(name, static_cast<std::uint32_t>(modeCount_))))
        findings_.warning("The programming mode " + std::string(name) + " is written twice.",
                          header, CheckSubject::Mode, name);
    if (name == kDefaultModeName)
        hasBaseMode_ = true;
    else if (namesEqualIgnoringCase(name, kDefaultModeName))
        findings_.warning("The mode " + std::string(name) +
                              " is not the base mode: only DEFAULT in capitals is.",
                          header, CheckSubject::Mode, name);
}

void ModeCheck::readLine(std::size_t index) {
    const ProfileLine& record = findings_.lines()[index];
    const std::string_view line = record.text;
    if (record.kind == LineKind::Opening) {
        if (open_)
            convert(index, false);
        open_ = OpenMode{index, record.name};
        return;
    }
    if (record.kind == LineKind::Closing) {
        if (open_) {
            checkClosingName(findings_, "programming mode", open_->name, line, CheckSubject::Mode);
            convert(index, true);
        } else
            findings_.warning("A closing line outside any programming mode is ignored.", line,
                              CheckSubject::None, {});
        return;
    }
    if (!open_) {
        findings_.error("An assignment outside any programming mode is ignored: open a mode "
                        "with [name] first.",
                        line, CheckSubject::None, {});
        return;
    }
    ++open_->lines;
}

void ModeCheck::finish(std::size_t end) {
    if (open_)
        convert(end, false);
}

void ModeCheck::convert(std::size_t end, bool closed) {
    const OpenMode mode = *open_;
    const std::vector<ProfileLine>& lines = findings_.lines();
    const std::string_view header = lines[mode.header].text;
    if (!closed)
        findings_.error(noClosingLineText("programming mode", mode.name), header,
                        CheckSubject::Mode, mode.name);
    std::uint64_t filled = 0;
    for (std::size_t i = mode.header + 1; i < end && lines[i].text.front() != '{'; ++i)
        filled += convertAssignment(lines[i].text) ? 1 : 0;
    open_.reset();
    if (!closed)
        return; // the translation refuses the profile: nothing is numbered

    const auto lineCount = static_cast<std::uint64_t>(mode.lines);
    const std::uint64_t declared = declaredEntries(
        mode.name, lineCount, static_cast<std::uint64_t>(chains_.convertedGroupLines()));
    filled += declared - lineCount; // the base mode's entries for the breakpoint groups
    if (declared > kMost16BitCount)
        findings_.error(tooManyText("entries in the programming mode " + std::string(mode.name),
                                    declared, kMost16BitCount),
                        header, CheckSubject::Mode, mode.name);
    else if (filled > declared)
        findings_.error(tooManyAssignmentsText(mode.name, filled, declared), header,
                        CheckSubject::Mode, mode.name);
    deviceBytes_ += configurationSize(declared);
}

bool ModeCheck::convertAssignment(std::string_view line) {
    const std::string_view mode = open_->name;
    const AssignmentParts parts = splitAssignment(line, LineGrammar::Translation);
    const std::string_view key = parts.key;
    const std::string_view value = parts.value;
    const SlotTable& table = SlotTable::instance();
    if (table.deviceCodeOf(key)) {
        names_.referToScript(value, CheckSubject::Mode, mode);
        return true;
    }
    if (table.axisCodeOf(key)) {
        names_.referToChain(value, mode);
        return true;
    }
    const std::size_t keyEquals = key.find('=');
    if (keyEquals != std::string_view::npos) {
        findings_.error("No blank before '=': the line is ignored; write " +
                            std::string(key.substr(0, keyEquals)) + " = ...",
                        key, CheckSubject::Mode, mode);
        return false;
    }
    findings_.error(std::string(key) +
                        " is not an assignment key, so the line is ignored; did you mean " +
                        std::string(nearestAssignmentKey(key)) + "?",
                    key, CheckSubject::Mode, mode);
    return false;
}

} // namespace vantrel
