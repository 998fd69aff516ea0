#include "profile/ProgrammingMode.h"

namespace vantrel {

std::vector<Assignment> ProgrammingMode::groupValues(SlotGroup group) const {
    std::vector<Assignment> values;
    for (const Slot& slot : SlotTable::instance().group(group))
        values.push_back(assignment(slot.position));
    return values;
}

void ProgrammingMode::setGroupValues(SlotGroup group, const std::vector<Assignment>& values) {
    std::size_t i = 0;
    for (const Slot& slot : SlotTable::instance().group(group)) {
        setAssignment(slot.position, i < values.size() ? values[i] : Assignment{});
        ++i;
    }
}

} // namespace vantrel
