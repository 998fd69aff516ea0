#pragma once

#include "profile/ChainEditor.h"
#include "profile/ProgrammingMode.h"
#include "profile/Script.h"
#include "profile/SlotTable.h"

#include <array>
#include <string>
#include <vector>

namespace vantrel {

// The values the axis panel's boxes show. Every command of the panel reads them all from
// the boxes first and writes them all back after, so text typed into a box counts only from
// the next command on.
struct AxisPanelValues {
    std::string modeName;
    std::string chainName;
    GroupLimits limits;
    std::string increase{kNullScriptName};
    std::string decrease{kNullScriptName};
    std::array<Assignment, kAxisSlotCount> axes;
};

// Everything the axis panel holds that is not a widget: the profile's chains, the values of
// its boxes, the selected chain and the script selected in the editor's list. The editor
// window keeps it from the start, so that the profile text file reaches the chains and the
// active mode reaches the axis values whether or not the panel has been built yet.
struct AxisPanelState {
    ChainEditor editor;
    AxisPanelValues values;
    // The chain list's selected row, -1 for none.
    int selectedChain = -1;
    std::string selectedScript;

    // No chains, no name, Increase and Decrease "_NULL"; Count, Start, End and the axis names
    // stay.
    void resetChains();
    // Appends a chain of this name and selects it; false when the list is full.
    bool addChain(const std::string& name);
    // Adds a line to a chain; false for a chain that does not exist.
    bool addGroupLine(const std::string& line, int count, int chainIndex);
    // The selected chain's name becomes the name value, and Count is lowered to its room.
    void applyChainSelection();

    void showAssignments(const std::vector<Assignment>& axes, const std::string& modeName);
    void clearAssignments();
};

} // namespace vantrel
