#pragma once

#include "profile/EditedProfile.h"
#include "profile/ProgrammingMode.h"

#include <string>
#include <vector>

namespace vantrel {

// What the editor window asks of each of its three panels. A panel shows and edits one
// group of the active mode's assignments (48 stick, 52 throttle or 6 axis values, in
// slot-position order) in the profile document. Each of its commands reads every box first,
// stores what the boxes then hold as one command of the document and writes the boxes back,
// so text typed into a box is taken only by the panel's next command.
class AssignmentPanel {
public:
    virtual ~AssignmentPanel() = default;

    // Re-reads the boxes, then shows the active mode's name and values, or empties them all
    // when no mode is active; what was typed and not yet taken is dropped.
    virtual void showActiveMode() = 0;
    // The group's values as the document holds them; text typed since the panel's last
    // command is not among them. Empty values when no mode is active.
    virtual std::vector<Assignment> collectAssignments() const = 0;
    // The script selected in the editor's script list, or empty; copied by assign buttons.
    virtual void setSelectedScript(const std::string& name) = 0;
};

// The values of one group of the active mode, empty ones when no mode is active.
std::vector<Assignment> activeGroupValues(const EditedProfile& document, SlotGroup group);

// Stores a group's values into the active mode as one command: the values that differ from
// the stored ones in slot order, the one at index own (the command's own, -1 for none) last.
void storeGroupValues(EditedProfile& document, SlotGroup group,
                      const std::vector<Assignment>& values, int own);

} // namespace vantrel
