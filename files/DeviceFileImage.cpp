#include "files/DeviceFileImage.h"

namespace vantrel {
namespace {

void put16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value & 0xFF);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void put32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
}

class ByteSink {
public:
    explicit ByteSink(std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
    void u8(std::uint8_t value) { bytes_.push_back(value); }
    void u16(std::uint16_t value) {
        bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF));
        bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
    }

private:
    std::vector<std::uint8_t>& bytes_;
};

std::uint64_t restLength(const DeviceProfile& rest) {
    std::uint64_t length = kDeviceCountSize;
    for (const ConfigurationRecord& configuration : rest.configurations)
        length += kDeviceConfigurationHeaderSize +
                  kDeviceEntrySize * std::uint64_t{configuration.entries.size()};
    length += kDeviceCountSize;
    for (const ChainRecord& chain : rest.chains)
        length += kDeviceChainHeaderSize +
                  kDeviceBreakpointSize * std::uint64_t{chain.breakpoints.size()};
    return length + kDeviceEndSize;
}

} // namespace

DeviceFileImage::DeviceFileImage() : head_(kDeviceHeaderSize, 0) {}

void DeviceFileImage::reserve(std::size_t scripts, std::size_t events) {
    head_.reserve(head_.size() + kDeviceScriptHeaderSize * scripts + kDeviceEventSize * events);
}

void DeviceFileImage::beginScript(std::uint16_t id) {
    lastHeader_ = head_.size();
    head_.resize(head_.size() + kDeviceScriptHeaderSize);
    put16(&head_[lastHeader_], id);
    put16(&head_[lastHeader_ + 2], 0);
    lastEvents_ = 0;
    ++scripts_;
}

std::size_t DeviceFileImage::addEvent(const DeviceEvent& event) {
    std::array<std::uint8_t, kDeviceEventSize> packed{};
    packed[0] = static_cast<std::uint8_t>(event.opcode);
    put16(&packed[1], static_cast<std::uint16_t>(event.data));
    put32(&packed[3], static_cast<std::uint32_t>(event.delay));
    const std::size_t place = head_.size();
    head_.insert(head_.end(), packed.begin(), packed.end());
    ++lastEvents_;
    put16(&head_[lastHeader_ + 2], static_cast<std::uint16_t>(lastEvents_));
    return place;
}

void DeviceFileImage::setEventData(std::size_t place, std::int16_t data) {
    put16(&head_[place + 1], static_cast<std::uint16_t>(data));
}

std::uint64_t DeviceFileImage::lengthWith(const DeviceProfile& rest) const {
    return head_.size() + restLength(rest);
}

void DeviceFileImage::finish(const DeviceProfile& rest) {
    rest_.clear();
    rest_.reserve(static_cast<std::size_t>(restLength(rest)));
    ByteSink out(rest_);
    out.u16(static_cast<std::uint16_t>(rest.configurations.size()));
    for (const ConfigurationRecord& configuration : rest.configurations) {
        out.u16(configuration.id);
        out.u16(static_cast<std::uint16_t>(configuration.entries.size()));
        for (const DeviceEntry& entry : configuration.entries) {
            out.u8(entry.type);
            out.u16(entry.code);
            out.u16(entry.assignment);
        }
    }
    out.u16(static_cast<std::uint16_t>(rest.chains.size()));
    for (const ChainRecord& chain : rest.chains) {
        out.u16(chain.id);
        out.u8(static_cast<std::uint8_t>(chain.breakpoints.size()));
        for (const DeviceBreakpoint& breakpoint : chain.breakpoints) {
            out.u16(breakpoint.position);
            out.u16(breakpoint.group);
            out.u16(breakpoint.position);
        }
    }
    out.u8(0);
    head_[0] = kDeviceFileVersion;
    put32(&head_[1], static_cast<std::uint32_t>(head_.size() + rest_.size()));
    put16(&head_[5], static_cast<std::uint16_t>(scripts_));
}

std::vector<std::uint8_t> DeviceFileImage::bytes() const {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(head_.size() + rest_.size());
    bytes.insert(bytes.end(), head_.begin(), head_.end());
    bytes.insert(bytes.end(), rest_.begin(), rest_.end());
    return bytes;
}

} // namespace vantrel
