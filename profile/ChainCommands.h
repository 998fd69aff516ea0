#pragma once

#include "profile/ProfileCommand.h"

#include <vector>

namespace vantrel {

// The axis panel's chain and breakpoint commands as done, to be undone and redone. Group
// commands store the capacity before and after, which a hand-edited line's Count could not
// give back exactly.

// A chain put at an index (Add, Duplicate), already there when the command is made.
ProfileCommandPtr chainAdded(std::string text, int index);
ProfileCommandPtr chainRenamed(int index, std::string before, std::string after);
ProfileCommandPtr chainDeleted(int index, AxisChain chain);

struct GroupChange {
    int chain;
    int group;
    std::string line;
    int capacityBefore;
    int capacityAfter;
};
ProfileCommandPtr groupAdded(std::string chainName, GroupChange change);
ProfileCommandPtr groupRemoved(std::string chainName, GroupChange change);
// The groups moved into the command, with the capacity they left.
ProfileCommandPtr groupsCleared(std::string chainName, int chain, std::vector<std::string> groups,
                                int capacityBefore);

} // namespace vantrel
