#pragma once

#include "devicefile/DeviceFormat.h"

#include <cstdint>
#include <vector>

namespace vantrel {

// The records of a device profile file (.bpf), as the translation writes them and the device
// reads them back.
struct DeviceEvent {
    EventOpcode opcode{};   // OC
    std::int16_t data = 0;  // Data
    std::int32_t delay = 0; // Delay, milliseconds
    bool operator==(const DeviceEvent&) const = default;
};

struct DeviceScript {
    std::uint16_t id = 0;
    std::vector<DeviceEvent> events; // Ecnt of them
    bool operator==(const DeviceScript&) const = default;
};

struct DeviceEntry {
    std::uint8_t type = kScriptEntry;
    std::uint16_t code = 0;       // device code or breakpoint code; axis code for a chain entry
    std::uint16_t assignment = 0; // script ID, or chain ID for a chain entry
    bool operator==(const DeviceEntry&) const = default;
};

struct DeviceConfiguration {
    std::uint16_t id = 0;             // 0 is the base mode
    std::vector<DeviceEntry> entries; // Entries of them
    bool operator==(const DeviceConfiguration&) const = default;
};

// The file gives P twice; the second copy is the check's to compare.
struct DeviceBreakpoint {
    std::uint16_t position = 0; // P: axis position + 32767
    std::uint16_t group = 0;    // F
    bool operator==(const DeviceBreakpoint&) const = default;
};

struct DeviceChain {
    std::uint16_t id = 0;
    std::vector<DeviceBreakpoint> breakpoints; // BP of them
    bool operator==(const DeviceChain&) const = default;
};

struct DeviceProfileImage {
    std::uint8_t version = 0; // VS
    std::uint32_t length = 0; // Length
    std::vector<DeviceScript> scripts;
    std::vector<DeviceConfiguration> configurations;
    std::vector<DeviceChain> chains;
    bool operator==(const DeviceProfileImage&) const = default;
};

} // namespace vantrel
