#pragma once

#include "profile/ProfileCommand.h"

#include <vector>

namespace vantrel {

// The mode list's commands and the assignments of a mode as done, to be undone and redone.

// A mode put at a row (Create Mode, Duplicate), already there when the command is made;
// text names the command.
ProfileCommandPtr modeAdded(std::string text, int row);
ProfileCommandPtr modeDeleted(int row, ProgrammingMode mode);

// The names that Rename or Set as Default changed, in the order they changed.
struct ModeNameChange {
    int row;
    std::string before;
    std::string after;
};
ProfileCommandPtr modesRenamed(std::string text, std::vector<ModeNameChange> changes);

// Slots (1..106) of the mode at a row, set in the order given; the command is named after
// the last one.
struct SlotChange {
    int position;
    Assignment before;
    Assignment after;
};
ProfileCommandPtr assignmentsSet(int row, std::vector<SlotChange> changes);

ProfileCommandPtr delaysSet(DefaultDelays before, DefaultDelays after);

} // namespace vantrel
