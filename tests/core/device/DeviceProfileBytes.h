#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

namespace vantrel::test {

// Builds device profile files byte by byte, as the format lays them out.
class DeviceProfileBytes {
public:
    DeviceProfileBytes() = default;
    explicit DeviceProfileBytes(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    DeviceProfileBytes& u8(std::uint8_t value) {
        bytes_.push_back(value);
        return *this;
    }
    DeviceProfileBytes& u16(std::uint16_t value) {
        return u8(static_cast<std::uint8_t>(value)).u8(static_cast<std::uint8_t>(value >> 8));
    }
    DeviceProfileBytes& u32(std::uint32_t value) {
        return u16(static_cast<std::uint16_t>(value)).u16(static_cast<std::uint16_t>(value >> 16));
    }
    // Version 4 and a Length that finish() fills in, then the script count.
    static DeviceProfileBytes header(std::uint16_t scripts) {
        DeviceProfileBytes bytes;
        bytes.u8(4).u32(0).u16(scripts);
        return bytes;
    }
    DeviceProfileBytes& event(std::uint8_t opcode, std::int16_t data, std::int32_t delay) {
        return u8(opcode)
            .u16(static_cast<std::uint16_t>(data))
            .u32(static_cast<std::uint32_t>(delay));
    }
    DeviceProfileBytes& entry(std::uint8_t type, std::uint16_t code, std::uint16_t number) {
        return u8(type).u16(code).u16(number);
    }
    DeviceProfileBytes& breakpoint(std::uint16_t position, std::uint16_t group) {
        return u16(position).u16(group).u16(position);
    }
    // The final zero byte and the true Length.
    std::vector<std::uint8_t> finish() {
        u8(0);
        return withLength(static_cast<std::uint32_t>(bytes_.size()));
    }
    // Length sits after the version byte. A file too short to hold it is returned as it is.
    std::vector<std::uint8_t> withLength(std::uint32_t length) const {
        std::vector<std::uint8_t> bytes = bytes_;
        if (bytes.size() < 5)
            return bytes;
        const std::uint8_t field[4] = {
            static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
            static_cast<std::uint8_t>(length >> 16), static_cast<std::uint8_t>(length >> 24)};
        std::copy(std::begin(field), std::end(field), bytes.begin() + 1);
        return bytes;
    }
    const std::vector<std::uint8_t>& raw() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// The smallest profile the translator writes: one empty DEFAULT configuration, 16 bytes.
inline std::vector<std::uint8_t> emptyDefaultProfile() {
    return DeviceProfileBytes::header(0).u16(1).u16(0).u16(0).u16(0).finish();
}

} // namespace vantrel::test
