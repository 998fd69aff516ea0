#pragma once

#include "profile/Script.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
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
    // Looks names up without copying them into a string first.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const {
            return std::hash<std::string_view>{}(name);
        }
    };

    std::vector<Script> lines_;
    // Each name and the index of its first line.
    std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>> firstLine_;
};

} // namespace vantrel
