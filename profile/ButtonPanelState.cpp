#include "profile/ButtonPanelState.h"

namespace vantrel {

void ButtonPanelState::showAssignments(const std::vector<Assignment>& group,
                                       const std::string& name) {
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = i < group.size() ? group[i] : Assignment();
    modeName = name;
}

void ButtonPanelState::clearAssignments() {
    for (Assignment& value : values)
        value.clear();
    modeName.clear();
}

} // namespace vantrel
