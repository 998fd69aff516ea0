#include "profile/EditedProfile.h"

#include "profile/ChainCommands.h"
#include "profile/ModeCommands.h"
#include "profile/ScriptCommands.h"

#include <algorithm>

namespace vantrel {

EditedProfile::EditedProfile() {
    newProfile();
}

const ProgrammingMode* EditedProfile::activeModeValues() const {
    return parts_.modes.holds(activeMode_)
               ? &parts_.modes.modes()[static_cast<std::size_t>(activeMode_)]
               : nullptr;
}

Profile EditedProfile::profile() const {
    Profile profile;
    profile.scripts = parts_.scripts.lines();
    profile.modes = parts_.modes.modes();
    profile.pressDelay = parts_.delays.press;
    profile.releaseDelay = parts_.delays.release;
    profile.chains = parts_.chains.chains();
    return profile;
}

void EditedProfile::addObserver(ProfileObserver* observer) {
    observers_.push_back(observer);
}

void EditedProfile::removeObserver(ProfileObserver* observer) {
    std::erase(observers_, observer);
}

void EditedProfile::notify(const ProfileChange& change) {
    for (ProfileObserver* observer : observers_)
        observer->profileChanged(change);
}

// ---- the whole profile -------------------------------------------------------------------

void EditedProfile::forgetHistory() {
    history_.clear();
    notify(ProfileChange::of(ProfileChange::Part::Whole));
    notify(ProfileChange::of(ProfileChange::Part::History));
}

void EditedProfile::newProfile() {
    Profile fresh = Profile::newProfile();
    load(fresh);
    setPath({}, {});
    selectMode(0);
}

void EditedProfile::load(const Profile& profile) {
    activeMode_ = -1;
    parts_.scripts.takeAll();
    parts_.scripts.beginLoading();
    for (const Script& line : profile.scripts)
        parts_.scripts.add(line);
    parts_.scripts.endLoading();
    parts_.modes.clear();
    for (const ProgrammingMode& mode : profile.modes) {
        parts_.modes.add(mode.name());
        parts_.modes.modes().back() = mode;
    }
    parts_.chains.chains() = profile.chains;
    parts_.delays = {profile.pressDelay, profile.releaseDelay};
    forgetHistory();
}

void EditedProfile::setPath(std::string path, std::string fileName) {
    path_ = std::move(path);
    fileName_ = std::move(fileName);
    notify(ProfileChange::of(ProfileChange::Part::History));
}

void EditedProfile::markSaved() {
    history_.markClean();
    notify(ProfileChange::of(ProfileChange::Part::History));
}

void EditedProfile::selectMode(int row) {
    const int active = parts_.modes.holds(row) ? row : -1;
    if (active == activeMode_)
        return;
    activeMode_ = active;
    notify(ProfileChange::of(ProfileChange::Part::ActiveMode, activeMode_));
}

// ---- the history -------------------------------------------------------------------------

void EditedProfile::record(ProfileCommandPtr command, int activeBefore) {
    history_.push({std::move(command), activeBefore, activeMode_});
    notify(ProfileChange::of(ProfileChange::Part::History));
}

EditResult EditedProfile::undo() {
    if (!history_.canUndo())
        return {};
    CommandHistory::Entry& entry = history_.nextUndo();
    const ProfileChange change = entry.command->undo(parts_);
    history_.stepBack();
    notify(change);
    selectMode(entry.activeBefore);
    notify(ProfileChange::of(ProfileChange::Part::History));
    return {true, entry.command->text() + " undone."};
}

EditResult EditedProfile::redo() {
    if (!history_.canRedo())
        return {};
    CommandHistory::Entry& entry = history_.nextRedo();
    const ProfileChange change = entry.command->redo(parts_);
    history_.stepForward();
    notify(change);
    selectMode(entry.activeAfter);
    notify(ProfileChange::of(ProfileChange::Part::History));
    return {true, entry.command->text() + " redone."};
}

// ---- the script list ---------------------------------------------------------------------

EditResult EditedProfile::addScript(const Script& line) {
    EditResult result = parts_.scripts.add(line);
    if (result.done) {
        const std::string name(scriptName(line));
        record(scriptAdded("Add Script '" + name + "'", parts_.scripts.lines().size() - 1, line),
               activeMode_);
        notify(ProfileChange::ofScript(name));
    }
    return result;
}

EditResult EditedProfile::updateScript(const Script& line) {
    const auto row = parts_.scripts.findRow(scriptName(line));
    const auto index = row ? parts_.scripts.lineIndexAt(*row) : std::nullopt;
    if (!index)
        return parts_.scripts.update(line); // refused, with its status text
    const std::size_t at = *index;
    Script before = parts_.scripts.lines()[at];
    EditResult result = parts_.scripts.update(line);
    if (result.done) {
        record(scriptUpdated(at, std::move(before)), activeMode_);
        notify(ProfileChange::ofScript(std::string(scriptName(line))));
    }
    return result;
}

EditResult EditedProfile::duplicateScript(std::optional<std::size_t> row) {
    const std::string original =
        row && *row < parts_.scripts.size() ? parts_.scripts.nameAt(*row) : std::string();
    EditResult result = parts_.scripts.duplicate(row);
    if (result.done) {
        const Script& copy = parts_.scripts.lines().back();
        record(scriptAdded("Duplicate Script '" + original + "'", parts_.scripts.lines().size() - 1,
                           copy),
               activeMode_);
        notify(ProfileChange::ofScript(std::string(scriptName(copy))));
    }
    return result;
}

EditResult EditedProfile::deleteScript(std::optional<std::size_t> row, std::string_view shownLine) {
    const auto index = row ? parts_.scripts.lineIndexAt(*row) : std::nullopt;
    if (!index)
        return parts_.scripts.remove(row, shownLine); // refused, with its status text
    const std::size_t at = *index;
    Script line = parts_.scripts.lines()[at];
    EditResult result = parts_.scripts.remove(row, shownLine);
    if (result.done) {
        const std::string name(scriptName(line));
        record(scriptDeleted(at, std::move(line)), activeMode_);
        notify(ProfileChange::ofScript(name));
    }
    return result;
}

EditResult EditedProfile::clearScripts() {
    record(scriptsCleared(parts_.scripts.takeAll()), activeMode_);
    notify(ProfileChange::of(ProfileChange::Part::Scripts));
    return {true, "Script list cleared."};
}

// ---- the mode list -----------------------------------------------------------------------

EditResult EditedProfile::createMode(const std::string& name) {
    if (name.empty() || parts_.modes.findRow(name) >= 0)
        return {};
    const int before = activeMode_;
    parts_.modes.add(name);
    const int row = parts_.modes.size() - 1;
    selectMode(row);
    record(modeAdded("Create Mode '" + name + "'", row), before);
    notify(ProfileChange::of(ProfileChange::Part::Modes, row));
    return {true, {}};
}

EditResult EditedProfile::renameMode(int row, const std::string& newName) {
    const std::string before = parts_.modes.holds(row) ? parts_.modes.nameAt(row) : "";
    EditResult result = parts_.modes.rename(row, newName);
    if (result.done) {
        record(modesRenamed("Rename Mode '" + before + "'", {{row, before, newName}}), activeMode_);
        notify(ProfileChange::of(ProfileChange::Part::Modes, row));
    }
    return result;
}

EditResult EditedProfile::duplicateMode(int row) {
    const std::string name = parts_.modes.holds(row) ? parts_.modes.nameAt(row) : "";
    EditResult result = parts_.modes.duplicate(row);
    if (result.done) {
        const int copy = parts_.modes.size() - 1;
        record(modeAdded("Duplicate Mode '" + name + "'", copy), activeMode_);
        notify(ProfileChange::of(ProfileChange::Part::Modes, copy));
    }
    return result;
}

EditResult EditedProfile::setDefaultMode(int row) {
    std::vector<std::string> before;
    for (const ProgrammingMode& mode : parts_.modes.modes())
        before.push_back(mode.name());
    const std::string name = parts_.modes.holds(row) ? parts_.modes.nameAt(row) : "";
    EditResult result = parts_.modes.setDefault(row);
    if (!result.done)
        return result;
    std::vector<ModeNameChange> changes;
    for (int i = 0; i < parts_.modes.size(); ++i) {
        const std::string& after = parts_.modes.nameAt(i);
        if (after != before[static_cast<std::size_t>(i)])
            changes.push_back({i, before[static_cast<std::size_t>(i)], after});
    }
    // Making the default mode the default again leaves every name as it was.
    if (!changes.empty()) {
        // The selected mode is named last, whatever its row.
        std::stable_partition(changes.begin(), changes.end(),
                              [row](const ModeNameChange& c) { return c.row != row; });
        record(modesRenamed("Set '" + name + "' as Default", std::move(changes)), activeMode_);
        notify(ProfileChange::of(ProfileChange::Part::Modes, row));
    }
    return result;
}

EditResult EditedProfile::deleteMode(int row) {
    if (!parts_.modes.holds(row) || parts_.modes.nameAt(row).starts_with(kDefaultModeName))
        return {};
    const int before = activeMode_;
    ProgrammingMode mode = parts_.modes.modes()[static_cast<std::size_t>(row)];
    EditResult result = parts_.modes.remove(row);
    // The panels show the mode above, or none; the deleted mode's row is another mode's now.
    activeMode_ = parts_.modes.holds(row - 1) ? row - 1 : -1;
    notify(ProfileChange::of(ProfileChange::Part::ActiveMode, activeMode_));
    record(modeDeleted(row, std::move(mode)), before);
    notify(ProfileChange::of(ProfileChange::Part::Modes, row));
    return result;
}

bool EditedProfile::assign(const std::vector<SlotValue>& values) {
    if (!activeModeValues())
        return false;
    ProgrammingMode& mode = parts_.modes.modes()[static_cast<std::size_t>(activeMode_)];
    std::vector<SlotChange> changes;
    for (const SlotValue& slot : values) {
        if (mode.assignment(slot.position) == slot.value)
            continue;
        changes.push_back({slot.position, mode.assignment(slot.position), slot.value});
        mode.setAssignment(slot.position, slot.value);
    }
    if (changes.empty())
        return false;
    std::vector<int> positions;
    for (const SlotChange& change : changes)
        positions.push_back(change.position);
    record(assignmentsSet(activeMode_, std::move(changes)), activeMode_);
    for (int position : positions)
        notify(ProfileChange::ofSlot(activeMode_, position));
    return true;
}

bool EditedProfile::setDelays(DefaultDelays delays) {
    if (delays == parts_.delays)
        return false;
    const DefaultDelays before = parts_.delays;
    parts_.delays = delays;
    record(delaysSet(before, delays), activeMode_);
    notify(ProfileChange::of(ProfileChange::Part::Delays));
    return true;
}

} // namespace vantrel
