#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace vantrel {

// Maps names to numbers, for names that are views into a text which outlives the index. The
// first value given a name is kept. An index holds at most 65535 names, as many as the device
// can number. The slots are four bytes each in one flat array probed linearly, so the table of
// the largest profile stays in the processor's cache, and a probe compares hash tags without
// touching the names.
class ViewIndex {
public:
    static constexpr std::size_t kMaxNames = 0xFFFF;

    explicit ViewIndex(std::size_t expectedNames = 0);

    // Adds the name with this value; false, and the old value kept, when it is there already.
    // Throws std::length_error when a new name would go beyond kMaxNames.
    bool insert(std::string_view name, std::uint32_t value);
    std::optional<std::uint32_t> find(std::string_view name) const;
    std::size_t size() const { return entries_.size(); }

private:
    struct Entry {
        std::string_view name;
        std::uint32_t value;
        std::uint32_t hash;
    };
    // The hash tag in the high half, the entry number + 1 in the low half: 0 is an empty slot.
    using Slot = std::uint32_t;

    void grow();
    void place(std::uint32_t hash, std::uint32_t entry);

    std::vector<Slot> slots_;
    std::vector<Entry> entries_;
};

} // namespace vantrel
