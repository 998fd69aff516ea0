#pragma once

#include "panels/AxisPanelControls.h"
#include "profile/AxisPanelState.h"

namespace vantrel {

// Reads every box into the values; false when a number box does not hold an integer: its
// value then stays as it was and the box shows it again at once.
bool readAxisBoxes(AxisPanelValues& values, const AxisPanelControls& ui);
void writeAxisBoxes(const AxisPanelValues& values, const AxisPanelControls& ui);

} // namespace vantrel
