#pragma once

#include "panels/AxisPanelControls.h"
#include "profile/ChainEditor.h"
#include "profile/ProgrammingMode.h"

#include <array>
#include <string>

namespace vantrel {

// The values the axis panel's boxes show. Every command of the panel reads them all from
// the boxes first and writes them all back after, so text typed into a box counts only from
// the next command on.
struct AxisPanelValues {
    std::string modeName;
    std::string chainName;
    GroupLimits limits;
    std::string increase{"_NULL"};
    std::string decrease{"_NULL"};
    std::array<Assignment, 6> axes;

    // Reads every box; false when a number box does not hold an integer: its value then
    // stays as it was and the box shows it again at once.
    bool read(const AxisPanelControls& ui);
    void write(const AxisPanelControls& ui) const;
};

} // namespace vantrel
