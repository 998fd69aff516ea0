#include "panels/AssignmentPanel.h"

#include "profile/SlotTable.h"

namespace vantrel {

std::vector<Assignment> activeGroupValues(const EditedProfile& document, SlotGroup group) {
    if (const ProgrammingMode* mode = document.activeModeValues())
        return mode->groupValues(group);
    return std::vector<Assignment>(SlotTable::instance().group(group).size());
}

void storeGroupValues(EditedProfile& document, SlotGroup group,
                      const std::vector<Assignment>& values, int own) {
    const ProgrammingMode* mode = document.activeModeValues();
    if (!mode)
        return;
    const int first = SlotTable::instance().group(group).front().position;
    std::vector<EditedProfile::SlotValue> changed;
    for (int i = 0; i < static_cast<int>(values.size()); ++i) {
        const Assignment& value = values[static_cast<std::size_t>(i)];
        if (i != own && value != mode->assignment(first + i))
            changed.push_back({first + i, value});
    }
    if (own >= 0)
        changed.push_back({first + own, values.at(static_cast<std::size_t>(own))});
    document.assign(changed);
}

} // namespace vantrel
