#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// The names of the editor's script list, kept in `scriptListLess` order, with the
// list box's whole-name, case-insensitive search. Names are stored in short sorted runs so
// that adding or removing one name costs a binary search and a short move, whatever the
// size of the list: a list of 100 000 names is built in time linear in its length.
class SortedNameList {
public:
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    // The place insert would give this name.
    std::size_t insertionPoint(std::string_view name) const;
    // Inserts the name at its sorted place and returns that place.
    std::size_t insert(std::string name);
    // The place of the first name equal to this one when letter case is ignored.
    std::optional<std::size_t> findIgnoringCase(std::string_view name) const;
    const std::string& at(std::size_t index) const;
    void erase(std::size_t index);
    void clear();

    // All names in order (for tests and for writing the list out).
    std::vector<std::string> names() const;

private:
    struct Place {
        std::size_t run;
        std::size_t offset;
    };
    Place placeOf(std::size_t index) const;
    std::size_t indexOf(Place place) const;
    // The run and offset of the first name that does not sort before this one.
    Place lowerBound(std::string_view name) const;

    std::vector<std::vector<std::string>> runs_;
    std::size_t size_ = 0;
};

} // namespace vantrel
