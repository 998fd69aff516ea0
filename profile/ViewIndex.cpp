#include "profile/ViewIndex.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <limits>
#include <stdexcept>

namespace vantrel {
namespace {

constexpr std::size_t kSmallestTable = 16;

std::uint32_t hashOf(std::string_view name) {
    return static_cast<std::uint32_t>(std::hash<std::string_view>{}(name));
}

} // namespace

ViewIndex::ViewIndex(std::size_t expectedNames) {
    const std::size_t names = std::min(expectedNames, kMaxNames);
    slots_.assign(std::bit_ceil(std::max(kSmallestTable, 2 * names)), 0);
    entries_.reserve(names);
}

void ViewIndex::grow() {
    slots_.assign(2 * slots_.size(), 0);
    for (std::uint32_t entry = 0; entry < entries_.size(); ++entry) {
        const std::uint32_t hash = hashOf(entries_[entry].name());
        std::uint32_t i = hash & mask();
        while (slots_[i] != 0)
            i = (i + 1) & mask();
        slots_[i] = slotFor(hash, entry);
    }
}

bool ViewIndex::insert(std::string_view name, std::uint32_t value) {
    if (entries_.size() >= kMaxNames) {
        if (find(name))
            return false;
        throw std::length_error("a name index holds at most 2^30 names");
    }
    if (name.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("a name index holds names shorter than 4 GiB");
    // Half full at most, which also keeps every entry number + 1 below the probe bits.
    if (2 * (entries_.size() + 1) > slots_.size())
        grow();
    const std::uint32_t hash = hashOf(name);
    const std::uint32_t hashBits = hash & ~mask();
    for (std::uint32_t i = hash & mask();; i = (i + 1) & mask()) {
        const Slot slot = slots_[i];
        if (slot == 0) {
            const auto entry = static_cast<std::uint32_t>(entries_.size());
            entries_.push_back({name.data(), static_cast<std::uint32_t>(name.size()), value});
            slots_[i] = slotFor(hash, entry);
            return true;
        }
        if ((slot & ~mask()) == hashBits && entryIn(slot).name() == name)
            return false;
    }
}

std::optional<std::uint32_t> ViewIndex::find(std::string_view name) const {
    const std::uint32_t hash = hashOf(name);
    const std::uint32_t hashBits = hash & ~mask();
    for (std::uint32_t i = hash & mask();; i = (i + 1) & mask()) {
        const Slot slot = slots_[i];
        if (slot == 0)
            return std::nullopt;
        if ((slot & ~mask()) != hashBits)
            continue;
        const Entry& entry = entryIn(slot);
        if (entry.name() == name)
            return entry.value;
    }
}

void ViewIndex::prefetch([[maybe_unused]] std::string_view name) const {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(&slots_[hashOf(name) & mask()]);
#endif
}

} // namespace vantrel
