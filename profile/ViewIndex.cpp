#include "profile/ViewIndex.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <stdexcept>

namespace vantrel {
namespace {

constexpr std::size_t kSmallestTable = 16;

std::uint32_t hashOf(std::string_view name) {
    return static_cast<std::uint32_t>(std::hash<std::string_view>{}(name));
}

std::uint16_t tagOf(std::uint32_t hash) {
    return static_cast<std::uint16_t>(hash >> 16);
}

std::uint32_t slotFor(std::uint32_t hash, std::uint32_t entry) {
    return (static_cast<std::uint32_t>(tagOf(hash)) << 16) | (entry + 1);
}

} // namespace

ViewIndex::ViewIndex(std::size_t expectedNames) {
    // Kept at most half full, so probe runs stay short.
    const std::size_t names = std::min(expectedNames, kMaxNames);
    slots_.assign(std::bit_ceil(std::max(kSmallestTable, 2 * names)), 0);
    entries_.reserve(names);
}

void ViewIndex::place(std::uint32_t hash, std::uint32_t entry) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = hash & mask;
    while (slots_[i] != 0)
        i = (i + 1) & mask;
    slots_[i] = slotFor(hash, entry);
}

void ViewIndex::grow() {
    slots_.assign(2 * slots_.size(), 0);
    for (std::uint32_t entry = 0; entry < entries_.size(); ++entry)
        place(entries_[entry].hash, entry);
}

bool ViewIndex::insert(std::string_view name, std::uint32_t value) {
    if (2 * (entries_.size() + 1) > slots_.size())
        grow();
    const std::uint32_t hash = hashOf(name);
    const std::uint16_t tag = tagOf(hash);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot slot = slots_[i];
        if (slot == 0) {
            if (entries_.size() >= kMaxNames)
                throw std::length_error("a name index holds at most 65535 names");
            const auto entry = static_cast<std::uint32_t>(entries_.size());
            entries_.push_back({name, value, hash});
            slots_[i] = slotFor(hash, entry);
            return true;
        }
        if ((slot >> 16) == tag && entries_[(slot & 0xFFFF) - 1].name == name)
            return false;
    }
}

std::optional<std::uint32_t> ViewIndex::find(std::string_view name) const {
    const std::uint32_t hash = hashOf(name);
    const std::uint16_t tag = tagOf(hash);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot slot = slots_[i];
        if (slot == 0)
            return std::nullopt;
        if ((slot >> 16) != tag)
            continue;
        const Entry& entry = entries_[(slot & 0xFFFF) - 1];
        if (entry.name == name)
            return entry.value;
    }
}

} // namespace vantrel
