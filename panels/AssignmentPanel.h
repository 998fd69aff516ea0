#pragma once

#include "profile/ProgrammingMode.h"

#include <functional>
#include <string>
#include <vector>

namespace vantrel {

// What the editor window asks of each of its three panels. A panel holds a working copy of
// one group of the active mode's assignments (48 stick, 52 throttle or 6 axis values, in
// slot-position order).
class AssignmentPanel {
public:
    virtual ~AssignmentPanel() = default;

    // Re-reads the boxes, then shows these values and the mode's name.
    virtual void showAssignments(const std::vector<Assignment>& values,
                                 const std::string& modeName) = 0;
    // The values as last read from the boxes; text typed since then is not included.
    virtual std::vector<Assignment> collectAssignments() const = 0;
    // Re-reads the boxes, then empties the mode name and every value.
    virtual void clearAssignments() = 0;
    // The script selected in the editor's script list, or empty; copied by assign buttons.
    virtual void setSelectedScript(const std::string& name) = 0;

    // Told after each of the user's commands in the panel, once its values were read from the
    // boxes and changed: the owner stores them as commands of the profile there and then.
    std::function<void()> commandDone = [] {};
};

} // namespace vantrel
