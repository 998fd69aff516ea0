#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace vantrel {

// Maps names to numbers, for names that are views into a text which outlives the index. The
// first value given a name is kept.
class ViewIndex {
public:
    explicit ViewIndex(std::size_t expectedNames = 0) { numbers_.reserve(expectedNames); }

    // Adds the name with this value; false, and the old value kept, when it is there already.
    bool insert(std::string_view name, std::uint32_t value) {
        return numbers_.try_emplace(name, value).second;
    }
    std::optional<std::uint32_t> find(std::string_view name) const {
        const auto found = numbers_.find(name);
        if (found == numbers_.end())
            return std::nullopt;
        return found->second;
    }
    std::size_t size() const { return numbers_.size(); }

private:
    std::unordered_map<std::string_view, std::uint32_t> numbers_;
};

} // namespace vantrel
