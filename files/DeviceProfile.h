#pragma once

#include "devicefile/DeviceRecords.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

// The records of a device profile file, as the translation builds them: the device's own
// records with the names and groups the text gave them. The script records go straight into
// the file's bytes as they are compiled (DeviceFileImage); these are the records that follow.

struct ConfigurationRecord : DeviceConfiguration {
    std::string name;
};

struct GroupRecord {
    std::uint16_t number = 0;
    std::uint16_t increaseId = 0;
    std::uint16_t decreaseId = 0;
};

struct ChainRecord : DeviceChain {
    std::string name;
    std::vector<GroupRecord> groups;
};

struct DeviceProfile {
    std::vector<ConfigurationRecord> configurations;
    std::vector<ChainRecord> chains;
    std::vector<std::string> modeNames; // in file order, for the load-mode events
};

} // namespace vantrel
