#include "profile/ChainCommands.h"
#include "profile/EditedProfile.h"

// The chain and breakpoint commands of EditedProfile.

namespace vantrel {

bool EditedProfile::addChain(std::string_view typedName) {
    if (!parts_.chains.addChain(typedName))
        return false;
    const int index = parts_.chains.chains().chainCount() - 1;
    const std::string& name = parts_.chains.chains().chain(index).name();
    record(chainAdded("Add Chain '" + name + "'", index), activeMode_);
    notify(ProfileChange::ofChain(index));
    return true;
}

bool EditedProfile::duplicateChain(int chain) {
    if (!parts_.chains.duplicateChain(chain))
        return false;
    const int index = parts_.chains.chains().chainCount() - 1;
    const std::string& name = parts_.chains.chains().chain(chain).name();
    record(chainAdded("Duplicate Chain '" + name + "'", index), activeMode_);
    notify(ProfileChange::ofChain(index));
    return true;
}

bool EditedProfile::renameChain(int chain, const std::string& name) {
    const std::string before =
        parts_.chains.holds(chain) ? parts_.chains.chains().chain(chain).name() : "";
    if (!parts_.chains.renameChain(chain, name))
        return false;
    record(chainRenamed(chain, before, name), activeMode_);
    notify(ProfileChange::ofChain(chain));
    return true;
}

bool EditedProfile::deleteChain(int chain) {
    if (!parts_.chains.holds(chain))
        return false;
    AxisChain removed = std::move(parts_.chains.chains().chain(chain));
    parts_.chains.chains().deleteChain(chain);
    record(chainDeleted(chain, std::move(removed)), activeMode_);
    notify(ProfileChange::ofChain(chain));
    return true;
}

ChainEditor::GroupResult EditedProfile::addGroup(int chain, GroupLimits& values,
                                                 std::string_view increase,
                                                 std::string_view decrease) {
    const int before =
        parts_.chains.holds(chain) ? parts_.chains.chains().chain(chain).freeCapacity() : 0;
    ChainEditor::GroupResult result = parts_.chains.addGroup(chain, values, increase, decrease);
    if (result.line) {
        const AxisChain& changed = parts_.chains.chains().chain(chain);
        record(groupAdded(changed.name(), {chain, changed.groupCount() - 1, *result.line, before,
                                           changed.freeCapacity()}),
               activeMode_);
        notify(ProfileChange::ofChain(chain));
    }
    return result;
}

bool EditedProfile::removeGroup(int chain, int group) {
    if (!parts_.chains.holds(chain) || group < 0 ||
        group >= parts_.chains.chains().chain(chain).groupCount())
        return false;
    AxisChain& changed = parts_.chains.chains().chain(chain);
    const int before = changed.freeCapacity();
    std::string line = changed.group(group);
    const int after = changed.removeGroup(group);
    record(groupRemoved(changed.name(), {chain, group, std::move(line), before, after}),
           activeMode_);
    notify(ProfileChange::ofChain(chain));
    return true;
}

bool EditedProfile::clearGroups(int chain) {
    if (!parts_.chains.holds(chain))
        return false;
    AxisChain& changed = parts_.chains.chains().chain(chain);
    // A chain with nothing to clear stays as it is, and its file with it.
    if (changed.groupCount() == 0 && changed.freeCapacity() == kChainCapacity)
        return false;
    const int before = changed.freeCapacity();
    record(groupsCleared(changed.name(), chain, changed.takeGroups(), before), activeMode_);
    notify(ProfileChange::ofChain(chain));
    return true;
}

} // namespace vantrel
