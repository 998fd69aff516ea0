#include "profile/AxisPanelState.h"

namespace vantrel {

void AxisPanelState::resetChains() {
    editor.chains().resetChains();
    selectedChain = -1;
    values.chainName.clear();
    values.increase = std::string(kNullScriptName);
    values.decrease = std::string(kNullScriptName);
    applyChainSelection();
}

bool AxisPanelState::addChain(const std::string& name) {
    AxisChainList& chains = editor.chains();
    const int before = chains.chainCount();
    chains.addChain(name);
    if (chains.chainCount() == before)
        return false;
    selectedChain = chains.chainCount() - 1;
    return true;
}

bool AxisPanelState::addGroupLine(const std::string& line, int count, int chainIndex) {
    if (!editor.holds(chainIndex))
        return false;
    editor.chains().addGroupLine(line, count, chainIndex);
    return true;
}

void AxisPanelState::applyChainSelection() {
    if (editor.holds(selectedChain))
        values.chainName = editor.chains().chain(selectedChain).name();
    editor.limitCount(selectedChain, values.limits);
}

void AxisPanelState::showAssignments(const std::vector<Assignment>& axes,
                                     const std::string& modeName) {
    for (std::size_t i = 0; i < values.axes.size(); ++i)
        values.axes[i] = i < axes.size() ? axes[i] : Assignment();
    values.modeName = modeName;
}

void AxisPanelState::clearAssignments() {
    values.modeName.clear();
    values.axes.fill({});
}

} // namespace vantrel
