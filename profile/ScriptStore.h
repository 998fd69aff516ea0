#pragma once

#include "profile/Script.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace vantrel {

// The profile's script lines in order of addition, with an exact (case-sensitive) index by
// script name, so that finding the first line of a name is not a search through the lines.
class ScriptStore {
public:
    const std::vector<Script>& lines() const { return lines_; }
    std::size_t size() const { return lines_.size(); }

    void append(Script line);
    // Puts a line back at an index; later lines move down. Undoing an erase at that index
    // gives the store its order and index back.
    void insert(std::size_t index, Script line);
    // The index of the first line whose name equals this one exactly.
    std::optional<std::size_t> findExact(std::string_view name) const;
    // Replaces a line by one of the same name.
    void replace(std::size_t index, Script line);
    // Removes a line; later lines move up.
    void erase(std::size_t index);
    void clear();

private:
    // The index by name is one flat array probed linearly and kept at most half full; a slot
    // holds the name's hash and the number of the first line of that name, plus one (0 is an
    // empty slot). The names themselves stay in the lines, which a probe reads only when the
    // hashes match, so the index of 100 000 names takes 2 MB and no node per name: a node
    // per name, scattered over the heap, made each look-up of a large list wait for memory.
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t line = 0;
    };

    std::uint32_t mask() const { return static_cast<std::uint32_t>(slots_.size() - 1); }
    // The slot of the name, or the empty slot where it would go.
    std::uint32_t slotOf(std::string_view name, std::uint32_t hash) const;
    // Doubles the table, placing the names again by their stored hashes.
    void grow();
    // Empties a slot, moving later slots of its probe run back so that none is cut off.
    void vacate(std::uint32_t slot);

    std::vector<Script> lines_;
    std::vector<Slot> slots_;
    std::size_t names_ = 0;
};

} // namespace vantrel
