#pragma once

#include "profile/AxisChain.h"
#include "profile/DefaultDelays.h"
#include "profile/ProgrammingMode.h"
#include "profile/Script.h"

#include <cstdint>
#include <vector>

namespace vantrel {

// The document being edited: script lines in order of addition, programming modes in the
// order of the mode list, the two default delays and the axis chains.
struct Profile {
    std::vector<Script> scripts;
    std::vector<ProgrammingMode> modes;
    std::uint32_t pressDelay = kInitialDelay;
    std::uint32_t releaseDelay = kInitialDelay;
    AxisChainList chains;

    // No scripts, no modes (not even DEFAULT), no chains, both delays 10.
    void reset() { *this = Profile{}; }
    // A reset profile with the mode "DEFAULT" and the script "_NULL".
    static Profile newProfile();

    bool operator==(const Profile&) const = default;
};

} // namespace vantrel
