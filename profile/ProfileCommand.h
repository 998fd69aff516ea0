#pragma once

#include "profile/ChainEditor.h"
#include "profile/DefaultDelays.h"
#include "profile/ModeListEditor.h"
#include "profile/ScriptListEditor.h"

#include <memory>
#include <string>

namespace vantrel {

// The parts of a profile that its commands change.
struct ProfileParts {
    ScriptListEditor scripts;
    ModeListEditor modes;
    ChainEditor chains;
    DefaultDelays delays;
};

// What a change touched, so that a view can follow it and an editor can show the place again.
struct ProfileChange {
    enum class Part {
        Scripts,    // scriptName is the script the change added, removed or replaced
        Modes,      // mode is the mode's row
        Assignment, // mode and position (1..106) are the slot's
        Chains,     // chain is the chain's index
        Delays,
        ActiveMode, // mode is the new active row, -1 for none
        Whole,      // a new or opened profile
        History,    // the undo history or its clean state
    };
    Part part = Part::Whole;
    std::string scriptName;
    int mode = -1;
    int chain = -1;
    int position = 0;

    static ProfileChange of(Part part, int mode = -1) {
        ProfileChange change;
        change.part = part;
        change.mode = mode;
        return change;
    }
    static ProfileChange ofScript(std::string name) {
        ProfileChange change = of(Part::Scripts);
        change.scriptName = std::move(name);
        return change;
    }
    static ProfileChange ofSlot(int mode, int position) {
        ProfileChange change = of(Part::Assignment, mode);
        change.position = position;
        return change;
    }
    static ProfileChange ofChain(int chain) {
        ProfileChange change = of(Part::Chains);
        change.chain = chain;
        return change;
    }
};

// One edit of a profile, kept to be undone and redone: it stores what it changed (never a
// copy of the profile) and restores exactly the state before or after itself.
class ProfileCommand {
public:
    virtual ~ProfileCommand() = default;
    // The command's name as the Edit menu shows it: "Delete Script 'Fire'".
    virtual std::string text() const = 0;
    virtual ProfileChange undo(ProfileParts& parts) = 0;
    virtual ProfileChange redo(ProfileParts& parts) = 0;
};

using ProfileCommandPtr = std::unique_ptr<ProfileCommand>;

} // namespace vantrel
