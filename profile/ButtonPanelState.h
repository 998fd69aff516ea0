#pragma once

#include "profile/ProgrammingMode.h"
#include "profile/SlotTable.h"

#include <string>
#include <vector>

namespace vantrel {

// What a stick or throttle panel holds besides its widgets: its working copy of one group of
// the active mode's assignments, the mode's name and the script selected in the editor's
// list. The editor window keeps it from the start, so the panel can be built when first
// shown and still shows what the active mode handed it.
struct ButtonPanelState {
    explicit ButtonPanelState(SlotGroup group)
        : values(SlotTable::instance().group(group).size()) {}

    std::vector<Assignment> values;
    std::string modeName;
    std::string selectedScript;

    // Takes the group's values (missing ones empty) and the mode's name.
    void showAssignments(const std::vector<Assignment>& group, const std::string& name);
    void clearAssignments();
};

} // namespace vantrel
