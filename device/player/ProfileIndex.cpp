#include "device/player/ProfileIndex.h"

#include "devicefile/DeviceFormat.h"

#include <algorithm>

namespace vantrel::player {
namespace {

constexpr int kBaseConfiguration = 0;

} // namespace

ProfileIndex::ProfileIndex(const DeviceProfileImage& image) {
    scripts_.reserve(image.scripts.size());
    for (const DeviceScript& script : image.scripts)
        scripts_.push_back(script.events);
    configurations_.reserve(image.configurations.size());
    for (const DeviceConfiguration& configuration : image.configurations)
        addConfiguration(configuration, image.chains.size());
    fillFromBase();
    buildChains(image);
}

void ProfileIndex::addConfiguration(const DeviceConfiguration& configuration,
                                    std::size_t chainCount) {
    if (configurationById_.contains(configuration.id))
        return; // a repeated ID: the first record is the one the player uses
    ConfigurationTable& table = configurations_.emplace_back();
    table.id = configuration.id;
    table.slots.fill(kNoScript);
    table.axes.fill(kNoChain);
    configurationById_.emplace(configuration.id, configurations_.size() - 1);
    const bool base = configuration.id == kBaseConfiguration;
    for (const DeviceEntry& entry : configuration.entries) {
        if (entry.type == kScriptEntry) {
            const int script = validScript(entry.assignment) ? entry.assignment : kNoScript;
            if (base && script != kNoScript)
                baseCodes_.try_emplace(entry.code, script);
            if (entry.code < kSlotCodeCount && table.slots[entry.code] == kNoScript)
                table.slots[entry.code] = script;
        } else if (entry.type == kChainEntry && entry.code < table.axes.size()) {
            if (table.axes[entry.code] == kNoChain && entry.assignment < chainCount)
                table.axes[entry.code] = entry.assignment;
        }
    }
}

void ProfileIndex::fillFromBase() {
    const ConfigurationTable* base = configuration(kBaseConfiguration);
    if (!base)
        return;
    const ConfigurationTable baseCopy = *base;
    for (ConfigurationTable& table : configurations_) {
        for (std::size_t code = 0; code < table.slots.size(); ++code)
            if (table.slots[code] == kNoScript)
                table.slots[code] = baseCopy.slots[code];
        for (std::size_t axis = 0; axis < table.axes.size(); ++axis)
            if (table.axes[axis] == kNoChain)
                table.axes[axis] = baseCopy.axes[axis];
    }
}

int ProfileIndex::baseCodeScript(long code) const {
    const auto found = baseCodes_.find(code);
    return found == baseCodes_.end() ? kNoScript : found->second;
}

void ProfileIndex::buildChains(const DeviceProfileImage& image) {
    chains_.reserve(image.chains.size());
    for (const DeviceChain& chain : image.chains) {
        std::vector<ChainBreakpoint>& points = chains_.emplace_back();
        points.reserve(chain.breakpoints.size());
        for (const DeviceBreakpoint& breakpoint : chain.breakpoints) {
            const int group = breakpoint.group;
            points.push_back({breakpoint.position, baseCodeScript(breakpointCode(group, true)),
                              baseCodeScript(breakpointCode(group, false))});
        }
        std::stable_sort(points.begin(), points.end(),
                         [](const ChainBreakpoint& a, const ChainBreakpoint& b) {
                             return a.position < b.position;
                         });
    }
}

const ConfigurationTable* ProfileIndex::configuration(int id) const {
    const auto found = configurationById_.find(id);
    return found == configurationById_.end() ? nullptr : &configurations_[found->second];
}

std::span<const DeviceEvent> ProfileIndex::script(int index) const {
    if (!validScript(index))
        return {};
    return scripts_[static_cast<std::size_t>(index)];
}

std::span<const ChainBreakpoint> ProfileIndex::chain(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= chains_.size())
        return {};
    return chains_[static_cast<std::size_t>(index)];
}

} // namespace vantrel::player
