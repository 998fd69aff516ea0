#include "profile/ChainEditor.h"

#include "profile/Script.h"

#include <algorithm>

namespace vantrel {

int ChainEditor::countLimit(int chain) const {
    return holds(chain) ? std::max(0, chains_.chain(chain).freeCapacity()) : kChainCapacity;
}

bool ChainEditor::takesGroups(int chain) const {
    return holds(chain) && chains_.chain(chain).freeCapacity() >= 0;
}

bool ChainEditor::addChain(std::string_view typedName) {
    std::string name = cutAndTrim(typedName, kChainNameCutSet);
    if (name.empty() || !roomForChains() || chains_.findIgnoringCase(name) >= 0)
        return false;
    chains_.addChain(std::move(name));
    return true;
}

bool ChainEditor::duplicateChain(int chain) {
    return holds(chain) && roomForChains() && chains_.duplicateChain(chain);
}

bool ChainEditor::renameChain(int chain, const std::string& name) {
    return holds(chain) && !name.empty() && chains_.renameChain(chain, name);
}

int ChainEditor::limitAxis(int position) {
    return std::clamp(position, kAxisMin, kAxisMax);
}

void ChainEditor::limitCount(int chain, GroupLimits& values) const {
    values.count = std::min(values.count, countLimit(chain));
}

void ChainEditor::startStepped(GroupLimits& values) {
    if (values.start >= values.end)
        values.end = values.start;
}

void ChainEditor::endStepped(GroupLimits& values) {
    if (values.end <= values.start)
        values.start = values.end;
}

ChainEditor::GroupResult ChainEditor::addGroup(int chain, GroupLimits& values,
                                               std::string_view increase,
                                               std::string_view decrease) {
    if (!takesGroups(chain))
        return {};
    // The limits that leaving the boxes would apply, in case the command came by key.
    values.start = limitAxis(values.start);
    values.end = limitAxis(values.end);
    limitCount(chain, values);
    if (values.count < 0)
        return {std::nullopt,
                "Please enter a Count from 0 to " + std::to_string(countLimit(chain)) + "."};
    std::string line = formatGroupLine(values.start, values.end, values.count, increase, decrease);
    chains_.addGroupLine(line, values.count, chain);
    return {std::move(line), {}};
}

} // namespace vantrel
