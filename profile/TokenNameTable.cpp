#include "profile/TokenNameTable.h"

namespace vantrel {

std::uint64_t TokenNameTable::hashOf(std::string_view text) {
    // FNV-1a: token names are short, so a byte-wise hash beats a block hash's set-up.
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

TokenNameTable::Slot& TokenNameTable::slotFor(std::string_view key) {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hashOf(key) & mask;; at = (at + 1) & mask) {
        Slot& slot = slots_[at];
        if (slot.list < 0 || keyOf(slot) == key)
            return slot;
    }
}

void TokenNameTable::grow() {
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    for (const Slot& slot : old) {
        if (slot.list >= 0)
            slotFor(keyOf(slot)) = slot;
    }
}

void TokenNameTable::addList(int list,
                             const std::vector<std::pair<std::string_view, std::int16_t>>& names) {
    for (const auto& [name, data] : names) {
        for (std::size_t length = 0; length <= name.size(); ++length) {
            // At most half full, so that a miss ends after a short run.
            if (2 * (used_ + 1) > slots_.size())
                grow();
            const std::string_view prefix = name.substr(0, length);
            Slot& slot = slotFor(prefix);
            if (slot.list < 0) {
                slot.offset = static_cast<std::uint32_t>(text_.size());
                slot.length = static_cast<std::uint16_t>(prefix.size());
                slot.list = static_cast<std::int8_t>(list);
                text_ += prefix;
                ++used_;
            }
            if (length == name.size() && slot.list == list && !slot.hasData) {
                slot.hasData = true;
                slot.data = data;
            }
        }
        if (name.size() > longest_)
            longest_ = name.size();
    }
}

TokenNameTable::Match TokenNameTable::find(std::string_view body) const {
    Match match;
    if (body.size() > longest_)
        return match;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hashOf(body) & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.list < 0)
            return match;
        if (keyOf(slot) == body) {
            match.list = slot.list;
            match.hasData = slot.hasData;
            match.data = slot.data;
            return match;
        }
    }
}

} // namespace vantrel
