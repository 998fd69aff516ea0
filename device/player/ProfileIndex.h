#pragma once

#include "devicefile/DeviceRecords.h"

#include <array>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

namespace vantrel::player {

inline constexpr int kNoScript = -1;
inline constexpr int kNoChain = -1;
inline constexpr int kSlotCodeCount = kControlCodeCount;

// One breakpoint of a chain with the scripts its group plays.
struct ChainBreakpoint {
    int position = 0; // P: axis position + 32767
    int increase = kNoScript;
    int decrease = kNoScript;
};

// What one configuration binds, with the base mode's entries already filled in where the
// configuration leaves a slot or axis unassigned.
struct ConfigurationTable {
    int id = 0;
    std::array<int, kSlotCodeCount> slots; // script index by press/release code
    std::array<int, kAxisCount> axes;      // chain index by axis code
};

// A loaded profile arranged for lookups in constant time. It keeps its own copy of the
// records, so the caller's image may go away. References that lead nowhere (a script or
// chain number past the end, an unknown entry type or axis code) count as unassigned; where
// a configuration names a code twice, its first entry wins.
class ProfileIndex {
public:
    explicit ProfileIndex(const DeviceProfileImage& image);

    // The configuration with this ID, or nothing when the profile holds none.
    const ConfigurationTable* configuration(int id) const;
    std::span<const DeviceEvent> script(int index) const;
    // Breakpoints sorted by position, equal positions in chain order; empty for kNoChain.
    std::span<const ChainBreakpoint> chain(int index) const;
    bool validScript(int index) const {
        return index >= 0 && static_cast<std::size_t>(index) < scripts_.size();
    }

private:
    void addConfiguration(const DeviceConfiguration& configuration, std::size_t chainCount);
    void fillFromBase();
    void buildChains(const DeviceProfileImage& image);
    int baseCodeScript(long code) const;

    std::vector<std::vector<DeviceEvent>> scripts_;
    std::vector<ConfigurationTable> configurations_;
    std::unordered_map<int, std::size_t> configurationById_;
    // The base mode's type 0 entries by code, breakpoint group codes included.
    std::unordered_map<long, int> baseCodes_;
    std::vector<std::vector<ChainBreakpoint>> chains_;
};

} // namespace vantrel::player
