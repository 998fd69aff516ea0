#pragma once

#include "files/DeviceFormat.h"

#include <cstdint>
#include <vector>

namespace vantrel {

// The records of a device profile file (.bpf) as the device reads them back. All fields
// are little-endian in the file with no gaps between them.
struct DeviceEvent {
    std::uint8_t opcode = 0; // OC
    std::int16_t data = 0;   // Data
    std::int32_t delay = 0;  // Delay, milliseconds
};

struct DeviceScript {
    std::uint16_t id = 0;
    std::vector<DeviceEvent> events; // Ecnt of them
};

struct DeviceEntry {
    std::uint8_t type = 0;    // 0 button, hat or breakpoint code; 1 axis
    std::uint16_t code = 0;   // device code, breakpoint code or axis code
    std::uint16_t number = 0; // script ID (type 0) or chain ID (type 1)
};

struct DeviceConfiguration {
    std::uint16_t id = 0; // 0 is the base mode
    std::vector<DeviceEntry> entries;
};

struct DeviceBreakpoint {
    std::uint16_t position = 0; // P: axis position + 32767
    std::uint16_t group = 0;    // F
    std::uint16_t positionAgain = 0;
};

struct DeviceChain {
    std::uint16_t id = 0;
    std::vector<DeviceBreakpoint> breakpoints; // BP of them
};

struct DeviceProfileImage {
    std::uint8_t version = 0; // VS
    std::uint32_t length = 0; // Length
    std::vector<DeviceScript> scripts;
    std::vector<DeviceConfiguration> configurations;
    std::vector<DeviceChain> chains;
};

} // namespace vantrel
