#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// Every prefix of every name of an ordered series of name lists, in one open-addressing table
// built once, so that a token's body is classified with one hash and one probe run. A body
// belongs to the first list one of whose names it begins; it takes its Data from that list's
// first name it equals, if any.
class TokenNameTable {
public:
    struct Match {
        int list = -1;        // index of the list the body belongs to; -1 for none
        bool hasData = false; // the body equals a name of that list
        std::int16_t data = 0;
    };

    void addList(int list, const std::vector<std::pair<std::string_view, std::int16_t>>& names);
    Match find(std::string_view body) const;

private:
    struct Slot {
        std::uint32_t offset = 0;
        std::uint16_t length = 0;
        std::int8_t list = -1; // -1 marks an empty slot
        bool hasData = false;
        std::int16_t data = 0;
    };

    static std::uint64_t hashOf(std::string_view text);
    std::string_view keyOf(const Slot& slot) const {
        return {text_.data() + slot.offset, slot.length};
    }
    Slot& slotFor(std::string_view key);
    void grow();

    std::string text_;
    std::vector<Slot> slots_ = std::vector<Slot>(64);
    std::size_t used_ = 0;
    std::size_t longest_ = 0;
};

} // namespace vantrel
