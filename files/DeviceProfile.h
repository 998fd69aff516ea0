#pragma once

#include "files/DeviceFormat.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

// The records of a device profile file, as the translation builds them. The script records
// go straight into the file's bytes as they are compiled (DeviceFileImage); these are the
// records that follow them.

struct AssignmentEntry {
    std::uint8_t type = 0; // 0 a button, hat or breakpoint code, 1 an axis
    std::uint16_t id = 0;
    std::uint16_t assignment = 0; // a script ID for type 0, a chain ID for type 1
    bool operator==(const AssignmentEntry&) const = default;
};

struct ConfigurationRecord {
    std::string name;
    std::uint16_t id = 0;
    std::vector<AssignmentEntry> entries; // its size is the record's Entries
};

struct Breakpoint {
    std::uint16_t p = 0; // axis position + 32767
    std::uint16_t f = 0; // group number
};

struct GroupRecord {
    std::uint16_t number = 0;
    std::uint16_t increaseId = 0;
    std::uint16_t decreaseId = 0;
};

struct ChainRecord {
    std::string name;
    std::uint16_t id = 0;
    std::vector<Breakpoint> breakpoints; // its size is the record's BP
    std::vector<GroupRecord> groups;
};

struct DeviceProfile {
    std::vector<ConfigurationRecord> configurations;
    std::vector<ChainRecord> chains;
    std::vector<std::string> modeNames; // in file order, for the load-mode events
};

} // namespace vantrel
