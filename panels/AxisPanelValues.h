#pragma once

#include "panels/AxisPanelControls.h"
#include "profile/ChainEditor.h"
#include "profile/ProgrammingMode.h"
#include "profile/Script.h"
#include "profile/SlotTable.h"

#include <array>
#include <string>

namespace vantrel {

// What the axis panel's boxes show. Every command of the panel reads them all from the boxes
// first and writes them all back after, so text typed into a box counts only from the next
// command on. The six axis names are the active mode's once a command has stored them.
struct AxisPanelValues {
    std::string modeName;
    std::string chainName;
    GroupLimits limits;
    std::string increase{kNullScriptName};
    std::string decrease{kNullScriptName};
    std::array<Assignment, kAxisSlotCount> axes;
};

// Reads every box into the values; false when a number box does not hold an integer: its
// value then stays as it was and the box shows it again at once.
bool readAxisBoxes(AxisPanelValues& values, const AxisPanelControls& ui);
void writeAxisBoxes(const AxisPanelValues& values, const AxisPanelControls& ui);

} // namespace vantrel
