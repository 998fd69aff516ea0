#pragma once

#include "profile/AxisChain.h"

#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// The values of the axis panel's Count, Start and End boxes.
struct GroupLimits {
    int count = 10;
    int start = -20000;
    int end = 20000;
};

// The rules of the axis panel's chain and breakpoint commands over the profile's chains:
// how many chains the panel builds, which names it takes, how far Count, Start and End reach.
class ChainEditor {
public:
    // The panel refuses to add or duplicate chains once this many exist; files may hold more,
    // up to AxisChainList::kMaxChains.
    static constexpr int kPanelChainLimit = 10;

    AxisChainList& chains() { return chains_; }
    const AxisChainList& chains() const { return chains_; }
    bool holds(int chain) const { return chain >= 0 && chain < chains_.chainCount(); }

    bool roomForChains() const { return chains_.chainCount() < kPanelChainLimit; }
    // The most breakpoints a group of the chain may add; with no chain, a whole chain's room.
    // A chain read from a file may be over-full: it then offers no further breakpoints.
    int countLimit(int chain) const;
    // Whether the chain takes another group (an over-full one does not).
    bool takesGroups(int chain) const;

    // Adds a chain of the typed name, cut as names are; refused for an empty or taken name
    // or when the panel's limit is reached.
    bool addChain(std::string_view typedName);
    bool duplicateChain(int chain);
    // Refused for an empty name or one any chain already has, in any letter case.
    bool renameChain(int chain, const std::string& name);

    // Limits the values as leaving their boxes does.
    static int limitAxis(int position);
    void limitCount(int chain, GroupLimits& values) const;
    // Stepping one end past the other drags the other along.
    static void startStepped(GroupLimits& values);
    static void endStepped(GroupLimits& values);

    // Adds a group of breakpoints to the chain from the limited values; the line added, or
    // nothing when the chain takes no groups. A negative Count gives the text to show in
    // error instead.
    struct GroupResult {
        std::optional<std::string> line;
        std::string error;
    };
    GroupResult addGroup(int chain, GroupLimits& values, std::string_view increase,
                         std::string_view decrease);

private:
    AxisChainList chains_;
};

} // namespace vantrel
