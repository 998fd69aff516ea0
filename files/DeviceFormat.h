#pragma once

#include <cstddef>
#include <cstdint>

namespace vantrel {

// The layout of a device profile file (.bpf), shared by the translation that writes it, the
// check that reads it back as the device does, and the link that sends it. Every field is
// little-endian and the records follow each other with no gaps.

inline constexpr std::uint8_t kDeviceFileVersion = 4; // VS
// The most bytes the device takes, sent in one transfer.
inline constexpr std::size_t kDeviceProfileCapacity = 65535;

inline constexpr std::size_t kDeviceHeaderSize = 7;              // VS, Length, script count
inline constexpr std::size_t kDeviceCountSize = 2;               // each record count
inline constexpr std::size_t kDeviceScriptHeaderSize = 4;        // ID, Ecnt
inline constexpr std::size_t kDeviceEventSize = 7;               // OC, Data, Delay
inline constexpr std::size_t kDeviceConfigurationHeaderSize = 4; // ID, Entries
inline constexpr std::size_t kDeviceEntrySize = 5;               // type, ID, assignment
inline constexpr std::size_t kDeviceChainHeaderSize = 3;         // ID, BP
inline constexpr std::size_t kDeviceBreakpointSize = 6;          // P, F, P again
inline constexpr std::size_t kDeviceEndSize = 1;                 // the final zero byte

// An event's Delay is signed 32-bit milliseconds: the device waits from 0 to this long. A
// default delay beyond it would reach the device as a negative number.
inline constexpr std::int32_t kDeviceLongestDelay = 0x7FFFFFFF;

// Breakpoint groups are numbered from here; their codes in the base mode are 2g and 2g + 1.
inline constexpr std::uint16_t kFirstBreakpointGroup = 50;

} // namespace vantrel
