#pragma once

#include "devicefile/DeviceFormat.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vantrel {

// The three groups of assignments in a programming mode, in the order they are stored.
enum class SlotGroup { Stick, Throttle, Axis };

inline constexpr int kSlotCount = 106;
inline constexpr int kStickSlotCount = 48;
inline constexpr int kThrottleSlotCount = 52;
inline constexpr int kAxisSlotCount = kAxisCount;

// A control of the stick or throttle that has a press and a release slot of its own
// (a button), or nine directions each with a press and a release slot (a hat).
struct Control {
    std::string_view name;     // "Trigger", "StickHat1"
    std::string_view rowLabel; // "TRIGGER:"; for a hat the label of its group box
    SlotGroup group;
    bool isHat;
};

// One direction of a hat: k is its place inside a mode, d its number on the device.
struct HatDirection {
    std::string_view name;     // "UpRight"
    std::string_view rowLabel; // "UP-RIGHT:"
    int k;
    int d;
};

// One of the 106 assignment slots of a programming mode.
struct Slot {
    std::string name;      // also the key in the profile text file
    SlotGroup group;
    int position;          // 1..106, the slot's place inside a mode
    int code;              // device code 0..99 for buttons and hats, axis code 0..5 for axes
    bool isPress;          // false for release slots and axes
    std::string_view control; // the control or axis the slot belongs to
};

// The whole table, built once from the control and hat tables.
class SlotTable {
public:
    static const SlotTable& instance();

    // All slots in position order (index = position - 1).
    std::span<const Slot> allSlots() const { return slots_; }
    const Slot& atPosition(int position) const { return slots_.at(position - 1); }
    std::optional<int> positionOf(std::string_view name) const;

    // Slots of one group, in position order.
    std::span<const Slot> group(SlotGroup group) const;

    // Positions in the order the profile text file writes its keys
    // (which is also the order the panels show their rows).
    const std::vector<int>& fileKeyOrder() const { return fileKeyOrder_; }

    // Slot names by device code 0..99 ("TriggerRelease TriggerPress ...") and by axis code.
    const std::vector<std::string>& deviceCodeNames() const { return deviceCodeNames_; }
    const std::vector<std::string>& axisNames() const { return axisNames_; }

    // The device code of a button or hat slot, or the axis code of an axis slot, by name.
    std::optional<int> deviceCodeOf(std::string_view name) const;
    std::optional<int> axisCodeOf(std::string_view name) const;

private:
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const {
            return std::hash<std::string_view>{}(name);
        }
    };
    using NameIndex = std::unordered_map<std::string, int, NameHash, std::equal_to<>>;

    SlotTable();
    static std::optional<int> find(const NameIndex& index, std::string_view name);
    std::vector<Slot> slots_;
    std::vector<int> fileKeyOrder_;
    std::vector<std::string> deviceCodeNames_;
    std::vector<std::string> axisNames_;
    NameIndex positionByName_;
    NameIndex deviceCodeByName_;
    NameIndex axisCodeByName_;
};

// The controls in on-screen order: stick buttons, stick hats, throttle buttons (AUX before
// MODE, as the throttle panel shows them), throttle hats (mouse hat first).
std::span<const Control> controlsInDisplayOrder();
// Hat directions in their order inside a mode: Up, UpRight, ..., UpLeft, Center.
std::span<const HatDirection> hatDirections();

} // namespace vantrel
