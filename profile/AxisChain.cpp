#include "profile/AxisChain.h"

#include "profile/CNumbers.h"
#include "profile/Script.h"

#include <algorithm>
#include <climits>

namespace vantrel {

std::string formatGroupLine(int start, int end, int count, std::string_view increase,
                            std::string_view decrease) {
    // Appended piece by piece: GCC 12 at -O3 warns falsely on '"(" + std::to_string(...)'.
    std::string line = "(";
    line += std::to_string(start);
    line += " : ";
    line += std::to_string(end);
    line += " ; ";
    line += std::to_string(count);
    line += ") ( + ";
    line += increase;
    line += "  - ";
    line += decrease;
    line += " )";
    return line;
}

std::vector<int> expandGroup(int start, int end, int count) {
    std::vector<int> positions;
    if (count <= 0)
        return positions;
    if (count == 1)
        return {start};
    // Computed in 64 bits: a hand-edited file may hold values far outside the axis range.
    const long long step = (static_cast<long long>(end) - start) / (count - 1);
    positions.reserve(count);
    for (int j = 0; j < count; ++j)
        positions.push_back(static_cast<int>(static_cast<long long>(start) + j * step));
    return positions;
}

void AxisChain::addGroupLine(std::string line, int count) {
    groups_.push_back(std::move(line));
    const long long rest = static_cast<long long>(freeCapacity_) - count;
    freeCapacity_ = static_cast<int>(std::clamp<long long>(rest, INT_MIN, INT_MAX));
}

int AxisChain::removeGroup(int index) {
    const std::string& line = groups_.at(index);
    const std::size_t semicolon = line.find(';');
    const std::string_view afterSemicolon = semicolon == std::string::npos
                                                ? std::string_view(line)
                                                : std::string_view(line).substr(semicolon + 1);
    if (const auto count = scanCInteger(afterSemicolon)) {
        // A hand-edited line may hold any number; keep the sum inside int.
        const long long sum = static_cast<long long>(freeCapacity_) + count->value;
        freeCapacity_ = static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX));
    }
    groups_.erase(groups_.begin() + index);
    return freeCapacity_;
}

void AxisChain::clearGroups() {
    groups_.clear();
    freeCapacity_ = kChainCapacity;
}

void AxisChain::insertGroup(int index, std::string line, int freeCapacity) {
    groups_.insert(groups_.begin() + index, std::move(line));
    freeCapacity_ = freeCapacity;
}

void AxisChain::eraseGroup(int index, int freeCapacity) {
    groups_.erase(groups_.begin() + index);
    freeCapacity_ = freeCapacity;
}

std::vector<std::string> AxisChain::takeGroups() {
    std::vector<std::string> taken = std::move(groups_);
    groups_.clear();
    freeCapacity_ = kChainCapacity;
    return taken;
}

void AxisChain::restoreGroups(std::vector<std::string> groups, int freeCapacity) {
    groups_ = std::move(groups);
    freeCapacity_ = freeCapacity;
}

void AxisChain::writeGroups(const LineSink& sink) const {
    for (const std::string& line : groups_)
        sink(line);
}

int AxisChainList::findIgnoringCase(std::string_view name) const {
    for (int i = 0; i < chainCount(); ++i) {
        if (namesEqualIgnoringCase(chains_[i].name(), name))
            return i;
    }
    return -1;
}

void AxisChainList::addChain(std::string name) {
    if (chainCount() >= kMaxChains)
        return;
    chains_.emplace_back(std::move(name));
}

bool AxisChainList::duplicateChain(int index) {
    if (chainCount() >= kMaxChains)
        return false;
    const std::string newName = generatedName(
        chains_.at(index).name(), [this](std::string_view n) { return findIgnoringCase(n) >= 0; });
    if (newName.empty())
        return false;
    AxisChain copy = chains_.at(index);
    copy.setName(newName);
    chains_.push_back(std::move(copy));
    return true;
}

bool AxisChainList::renameChain(int index, std::string newName) {
    if (findIgnoringCase(newName) >= 0)
        return false;
    chains_.at(index).setName(std::move(newName));
    return true;
}

void AxisChainList::deleteChain(int index) {
    chains_.erase(chains_.begin() + index);
}

void AxisChainList::insertChain(int index, AxisChain chain) {
    chains_.insert(chains_.begin() + index, std::move(chain));
}

void AxisChainList::addGroupLine(std::string line, int count, int chainIndex) {
    chains_.at(chainIndex).addGroupLine(std::move(line), count);
}

void AxisChainList::writeChains(const LineSink& sink) const {
    for (const AxisChain& chain : chains_) {
        sink("");
        sink("[" + chain.name() + "]");
        chain.writeGroups(sink);
        sink("{" + chain.name() + "}");
    }
}

} // namespace vantrel
