#pragma once

#include "profile/SlotTable.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// An assignment is the name of a script (buttons and hats) or of an axis chain (axes);
// empty means nothing is assigned.
using Assignment = std::string;

// A named set of 106 assignments, one per slot, in slot-position order.
class ProgrammingMode {
public:
    ProgrammingMode() = default;
    explicit ProgrammingMode(std::string name) : name_(std::move(name)) {}

    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    // position is 1..106.
    const Assignment& assignment(int position) const { return values_.at(position - 1); }
    void setAssignment(int position, Assignment value) { values_.at(position - 1) = std::move(value); }

    // The values of one group in position order (48 stick, 52 throttle, 6 axis values).
    std::vector<Assignment> groupValues(SlotGroup group) const;
    // Replaces a whole group; values beyond the group's size are ignored, missing ones emptied.
    void setGroupValues(SlotGroup group, const std::vector<Assignment>& values);

    bool operator==(const ProgrammingMode&) const = default;

private:
    std::string name_;
    std::array<Assignment, kSlotCount> values_{};
};

} // namespace vantrel
