#pragma once

#include "devicefile/DeviceRecords.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vantrel {

// The bytes of each record of a device profile file, for the translation that writes them
// and the check that reads them back. Each write* fills exactly its record's size (from
// DeviceFormat.h) at the place given; each read* takes that many bytes, which the caller has
// made sure are there.

inline void writeU16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value & 0xFF);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}
inline void writeU32(std::uint8_t* at, std::uint32_t value) {
    writeU16(at, static_cast<std::uint16_t>(value & 0xFFFF));
    writeU16(at + 2, static_cast<std::uint16_t>(value >> 16));
}
inline std::uint16_t readU16(const std::uint8_t* at) {
    return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}
inline std::uint32_t readU32(const std::uint8_t* at) {
    return readU16(at) | (std::uint32_t{readU16(at + 2)} << 16);
}

// The header: VS, Length, script count. The check reads its fields one at a time, since
// another version may lay out what follows VS otherwise.
inline void writeDeviceHeader(std::uint8_t* at, std::uint32_t length, std::uint16_t scripts) {
    at[0] = kDeviceFileVersion;
    writeU32(at + kDeviceVersionSize, length);
    writeU16(at + kDeviceVersionSize + kDeviceLengthSize, scripts);
}

// The start of a script, configuration or chain record: its ID and how many records of its
// own follow (events, entries or breakpoints).
struct DeviceRecordHead {
    std::uint16_t id = 0;
    std::size_t count = 0;
};

// Ecnt alone, which the translation counts up as it adds the events.
inline void writeScriptEvents(std::uint8_t* head, std::uint16_t events) {
    writeU16(head + 2, events);
}
inline void writeScriptHead(std::uint8_t* at, std::uint16_t id, std::uint16_t events) {
    writeU16(at, id);
    writeScriptEvents(at, events);
}
inline DeviceRecordHead readScriptHead(const std::uint8_t* at) {
    return {readU16(at), readU16(at + 2)};
}

inline void writeEvent(std::uint8_t* at, const DeviceEvent& event) {
    at[0] = static_cast<std::uint8_t>(event.opcode);
    writeU16(at + 1, static_cast<std::uint16_t>(event.data));
    writeU32(at + 3, static_cast<std::uint32_t>(event.delay));
}
// Data alone, which the translation fills in once the modes are known.
inline void writeEventData(std::uint8_t* event, std::int16_t data) {
    writeU16(event + 1, static_cast<std::uint16_t>(data));
}
inline DeviceEvent readEvent(const std::uint8_t* at) {
    return {static_cast<EventOpcode>(at[0]), static_cast<std::int16_t>(readU16(at + 1)),
            static_cast<std::int32_t>(readU32(at + 3))};
}

inline void writeConfigurationHead(std::uint8_t* at, std::uint16_t id, std::uint16_t entries) {
    writeU16(at, id);
    writeU16(at + 2, entries);
}
inline DeviceRecordHead readConfigurationHead(const std::uint8_t* at) {
    return {readU16(at), readU16(at + 2)};
}

inline void writeEntry(std::uint8_t* at, const DeviceEntry& entry) {
    at[0] = entry.type;
    writeU16(at + 1, entry.code);
    writeU16(at + 3, entry.assignment);
}
inline DeviceEntry readEntry(const std::uint8_t* at) {
    return {at[0], readU16(at + 1), readU16(at + 3)};
}

inline void writeChainHead(std::uint8_t* at, std::uint16_t id, std::uint8_t breakpoints) {
    writeU16(at, id);
    at[2] = breakpoints;
}
inline DeviceRecordHead readChainHead(const std::uint8_t* at) {
    return {readU16(at), at[2]};
}

// A breakpoint gives P, F and P again; the device takes it only when the two P are equal.
inline void writeBreakpoint(std::uint8_t* at, const DeviceBreakpoint& breakpoint) {
    writeU16(at, breakpoint.position);
    writeU16(at + 2, breakpoint.group);
    writeU16(at + 4, breakpoint.position);
}
inline DeviceBreakpoint readBreakpoint(const std::uint8_t* at) {
    return {readU16(at), readU16(at + 2)};
}
inline std::uint16_t readRepeatedPosition(const std::uint8_t* breakpoint) {
    return readU16(breakpoint + 4);
}

inline constexpr std::uint8_t kDeviceEndByte = 0;

// A whole record with its entries or breakpoints, appended.
// The caller keeps the counts within their fields.
inline void appendCount(std::vector<std::uint8_t>& out, std::size_t count) {
    out.resize(out.size() + kDeviceCountSize);
    writeU16(&out[out.size() - kDeviceCountSize], static_cast<std::uint16_t>(count));
}
inline void appendConfiguration(std::vector<std::uint8_t>& out,
                                const DeviceConfiguration& configuration) {
    std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(configurationSize(configuration.entries.size())));
    writeConfigurationHead(&out[at], configuration.id,
                           static_cast<std::uint16_t>(configuration.entries.size()));
    at += kDeviceConfigurationHeaderSize;
    for (const DeviceEntry& entry : configuration.entries) {
        writeEntry(&out[at], entry);
        at += kDeviceEntrySize;
    }
}
inline void appendChain(std::vector<std::uint8_t>& out, const DeviceChain& chain) {
    std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(chainSize(chain.breakpoints.size())));
    writeChainHead(&out[at], chain.id, static_cast<std::uint8_t>(chain.breakpoints.size()));
    at += kDeviceChainHeaderSize;
    for (const DeviceBreakpoint& breakpoint : chain.breakpoints) {
        writeBreakpoint(&out[at], breakpoint);
        at += kDeviceBreakpointSize;
    }
}

// Walks received bytes front to back; the caller asks has() before each take().
class DeviceByteCursor {
public:
    explicit DeviceByteCursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t remaining() const { return bytes_.size() - offset_; }
    std::size_t offset() const { return offset_; }
    bool has(std::size_t count) const { return remaining() >= count; }
    // The next count bytes, passed over.
    const std::uint8_t* take(std::size_t count) {
        const std::uint8_t* at = bytes_.subspan(offset_, count).data();
        offset_ += count;
        return at;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t offset_ = 0;
};

} // namespace vantrel
