#include "files/DeviceFileImage.h"

#include "devicefile/DeviceBytes.h"

namespace vantrel {
namespace {

std::uint64_t restLength(const DeviceProfile& rest) {
    std::uint64_t length = kDeviceFrameSize - kDeviceHeaderSize;
    for (const ConfigurationRecord& configuration : rest.configurations)
        length += configurationSize(configuration.entries.size());
    for (const ChainRecord& chain : rest.chains)
        length += chainSize(chain.breakpoints.size());
    return length;
}

} // namespace

DeviceFileImage::DeviceFileImage() : head_(kDeviceHeaderSize, 0) {}

void DeviceFileImage::reserve(std::size_t scripts, std::size_t events) {
    head_.reserve(head_.size() + kDeviceScriptHeaderSize * scripts + kDeviceEventSize * events);
}

void DeviceFileImage::beginScript(std::uint16_t id) {
    lastHeader_ = head_.size();
    head_.resize(head_.size() + kDeviceScriptHeaderSize);
    writeScriptHead(&head_[lastHeader_], id, 0);
    lastEvents_ = 0;
    ++scripts_;
}

std::size_t DeviceFileImage::addEvent(const DeviceEvent& event) {
    std::array<std::uint8_t, kDeviceEventSize> packed{};
    writeEvent(packed.data(), event);
    const std::size_t place = head_.size();
    head_.insert(head_.end(), packed.begin(), packed.end());
    ++lastEvents_;
    writeScriptEvents(&head_[lastHeader_], static_cast<std::uint16_t>(lastEvents_));
    return place;
}

void DeviceFileImage::setEventData(std::size_t place, std::int16_t data) {
    writeEventData(&head_[place], data);
}

std::uint64_t DeviceFileImage::lengthWith(const DeviceProfile& rest) const {
    return head_.size() + restLength(rest);
}

void DeviceFileImage::finish(const DeviceProfile& rest) {
    rest_.clear();
    rest_.reserve(static_cast<std::size_t>(restLength(rest)));
    appendCount(rest_, rest.configurations.size());
    for (const ConfigurationRecord& configuration : rest.configurations)
        appendConfiguration(rest_, configuration);
    appendCount(rest_, rest.chains.size());
    for (const ChainRecord& chain : rest.chains)
        appendChain(rest_, chain);
    rest_.push_back(kDeviceEndByte);
    writeDeviceHeader(head_.data(), static_cast<std::uint32_t>(head_.size() + rest_.size()),
                      static_cast<std::uint16_t>(scripts_));
}

std::vector<std::uint8_t> DeviceFileImage::bytes() const {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(head_.size() + rest_.size());
    bytes.insert(bytes.end(), head_.begin(), head_.end());
    bytes.insert(bytes.end(), rest_.begin(), rest_.end());
    return bytes;
}

} // namespace vantrel
