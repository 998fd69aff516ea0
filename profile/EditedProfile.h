#pragma once

#include "profile/CommandHistory.h"
#include "profile/Profile.h"
#include "profile/ProfileCommand.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// Told after every change of the profile, its active mode or its history.
class ProfileObserver {
public:
    virtual ~ProfileObserver() = default;
    virtual void profileChanged(const ProfileChange& change) = 0;
};

// The one owner of the profile being edited: its scripts, modes, chains and delays, the
// active mode, the file it belongs to and whether it differs from that file. Every edit is a
// command that applies the list editors' rules, leaves its status text and is kept in the
// history, where it can be undone and redone; the profile differs from its file exactly when
// the history stands away from the place it was saved or loaded at.
class EditedProfile {
public:
    // A new profile: "_NULL", "DEFAULT" active, nothing else, no file.
    EditedProfile();

    const ScriptListEditor& scripts() const { return parts_.scripts; }
    const ModeListEditor& modes() const { return parts_.modes; }
    const ChainEditor& chains() const { return parts_.chains; }
    const DefaultDelays& delays() const { return parts_.delays; }
    // The row of the mode the panels show, -1 for none.
    int activeMode() const { return activeMode_; }
    const ProgrammingMode* activeModeValues() const;
    const std::string& path() const { return path_; }
    const std::string& fileName() const { return fileName_; }
    bool isModified() const { return !history_.isClean(); }
    // The profile as a value, for the writer and for comparisons.
    Profile profile() const;
    // The script names in the order the list shows them (and the file writes them).
    std::vector<std::string> listedScriptNames() const { return parts_.scripts.names().names(); }

    void addObserver(ProfileObserver* observer);
    void removeObserver(ProfileObserver* observer);
    // The views of the two name lists, told row by row.
    void setScriptListObserver(ListObserver* observer) { parts_.scripts.setObserver(observer); }
    void setModeListObserver(ListObserver* observer) { parts_.modes.setObserver(observer); }

    // --- the whole profile: not undone, they forget the history ---
    // No file; the new profile's "_NULL" and "DEFAULT", which becomes active.
    void newProfile();
    // The profile read from a file, added by the list's rules; no mode active.
    void load(const Profile& profile);
    // The file's full path and the file name part of it (which the platform's path rules
    // give); empty for a profile that has no file.
    void setPath(std::string path, std::string fileName);
    // The profile now equals its file.
    void markSaved();

    // Makes a mode active (or none, -1); a selection, not an edit.
    void selectMode(int row);

    // --- the script list ---
    EditResult addScript(const Script& line);
    EditResult updateScript(const Script& line);
    EditResult duplicateScript(std::optional<std::size_t> row);
    EditResult deleteScript(std::optional<std::size_t> row, std::string_view shownLine);
    EditResult clearScripts();

    // --- the mode list ---
    // Appends an empty mode and makes it active; refused for an empty or listed name.
    EditResult createMode(const std::string& name);
    EditResult renameMode(int row, const std::string& newName);
    EditResult duplicateMode(int row);
    EditResult setDefaultMode(int row);
    // The mode above the deleted one becomes active, or none.
    EditResult deleteMode(int row);
    // One slot (1..106) of the active mode; false when none is active or nothing changes.
    bool assign(int position, const Assignment& value) { return assign({{position, value}}); }
    // Several slots of the active mode as one command (a panel's typed text and its own
    // assignment), named after the last slot that changes; false when none is active or
    // nothing changes.
    struct SlotValue {
        int position;
        Assignment value;
    };
    bool assign(const std::vector<SlotValue>& values);

    // --- the chains, as ChainEditor rules them ---
    bool addChain(std::string_view typedName);
    bool duplicateChain(int chain);
    bool renameChain(int chain, const std::string& name);
    bool deleteChain(int chain);
    ChainEditor::GroupResult addGroup(int chain, GroupLimits& values, std::string_view increase,
                                      std::string_view decrease);
    bool removeGroup(int chain, int group);
    bool clearGroups(int chain);

    // false when the delays are those already set.
    bool setDelays(DefaultDelays delays);

    // --- the history ---
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    std::size_t undoCount() const { return history_.doneCount(); }
    // The name of the command the next undo or redo takes, empty when there is none.
    std::string undoText() const { return history_.undoText(); }
    std::string redoText() const { return history_.redoText(); }
    // Each restores the active mode of its side of the command too; the status text says
    // what was undone or redone.
    EditResult undo();
    EditResult redo();

private:
    // Keeps a command just done, with the active mode before it and the one after.
    void record(ProfileCommandPtr command, int activeBefore);
    void notify(const ProfileChange& change);
    void forgetHistory();

    ProfileParts parts_;
    int activeMode_ = -1;
    std::string path_;
    std::string fileName_;
    CommandHistory history_;
    std::vector<ProfileObserver*> observers_;
};

} // namespace vantrel
