#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace vantrel {

// Maps names to numbers, for names that are views into a text which outlives the index. The
// first value given a name is kept. The slots are four bytes each in one flat array probed
// linearly and kept at most half full, so the table of 100 000 names takes 1 MB and mostly
// stays in the processor's cache; a slot holds the entry's number below the bits that choose
// the probe start and the rest of the name's hash above them, so a probe compares hash bits
// without touching the names. Each name takes 16 bytes beside its slots.
class ViewIndex {
public:
    static constexpr std::size_t kMaxNames = std::size_t{1} << 30;

    explicit ViewIndex(std::size_t expectedNames = 0);

    // Adds the name with this value; false, and the old value kept, when it is there already.
    // Throws std::length_error when a new name would go beyond kMaxNames, or is 4 GiB long.
    bool insert(std::string_view name, std::uint32_t value);
    std::optional<std::uint32_t> find(std::string_view name) const;
    std::size_t size() const { return entries_.size(); }
    // Starts loading the table slot where the name will be looked up, so that an insert or
    // find of it a little later need not wait for memory: with many names the table is
    // larger than the processor's caches, and each look-up would otherwise wait for a miss.
    void prefetch(std::string_view name) const;

private:
    // Sixteen bytes: the name as a pointer and a 32-bit length (a longer name is refused),
    // and its value. The hash is computed again when the table grows.
    struct Entry {
        const char* data;
        std::uint32_t length;
        std::uint32_t value;
        std::string_view name() const { return {data, length}; }
    };
    using Slot = std::uint32_t; // 0 is an empty slot

    std::uint32_t mask() const { return static_cast<std::uint32_t>(slots_.size() - 1); }
    Slot slotFor(std::uint32_t hash, std::uint32_t entry) const {
        return (hash & ~mask()) | (entry + 1);
    }
    const Entry& entryIn(Slot slot) const { return entries_[(slot & mask()) - 1]; }
    void grow();

    std::vector<Slot> slots_;
    std::vector<Entry> entries_;
};

} // namespace vantrel
