#include "profile/SlotTable.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace vantrel {
namespace {

// One row per control, in on-screen (and text file) order. storageRank orders the controls
// inside a mode: it differs from the screen only on the throttle, where MODE precedes AUX.
// deviceIndex is the device's number of the button or hat (buttonCode, hatCode).
struct ControlRow {
    Control control;
    int storageRank;
    int deviceIndex;
};

constexpr std::array<ControlRow, 18> kControls{{
    {{"Trigger", "TRIGGER:", SlotGroup::Stick, false}, 0, 0},
    {{"Launch", "LAUNCH:", SlotGroup::Stick, false}, 1, 3},
    {{"FireA", "BUTTON A:", SlotGroup::Stick, false}, 2, 1},
    {{"FireB", "BUTTON B:", SlotGroup::Stick, false}, 3, 2},
    {{"FireC", "BUTTON C:", SlotGroup::Stick, false}, 4, 7},
    {{"Shift", "SHIFT:", SlotGroup::Stick, false}, 5, 6},
    {{"StickHat1", "HAT 1 GROUP", SlotGroup::Stick, true}, 6, 0},
    {{"StickHat2", "HAT 2 GROUP", SlotGroup::Stick, true}, 7, 3},
    {{"FireD", "BUTTON D:", SlotGroup::Throttle, false}, 8, 4},
    {{"MouseButton", "MOUSE BTN:", SlotGroup::Throttle, false}, 9, 5},
    {{"Aux1", "AUX 1:", SlotGroup::Throttle, false}, 13, 11},
    {{"Aux2", "AUX 2:", SlotGroup::Throttle, false}, 14, 12},
    {{"Aux3", "AUX 3:", SlotGroup::Throttle, false}, 15, 13},
    {{"Mode1", "MODE 1:", SlotGroup::Throttle, false}, 10, 8},
    {{"Mode2", "MODE 2:", SlotGroup::Throttle, false}, 11, 9},
    {{"Mode3", "MODE 3:", SlotGroup::Throttle, false}, 12, 10},
    {{"MouseHat", "MOUSE HAT GROUP", SlotGroup::Throttle, true}, 16, 2},
    {{"ThrottleHat1", "HAT 1 GROUP", SlotGroup::Throttle, true}, 17, 1},
}};

constexpr std::array<HatDirection, 9> kHatDirections{{
    {"Up", "UP:", 0, 1},
    {"UpRight", "UP-RIGHT:", 1, 2},
    {"Right", "RIGHT:", 2, 3},
    {"DownRight", "DOWN-RIGHT:", 3, 4},
    {"Down", "DOWN:", 4, 5},
    {"DownLeft", "DOWN-LEFT:", 5, 6},
    {"Left", "LEFT:", 6, 7},
    {"UpLeft", "UP-LEFT:", 7, 8},
    {"Center", "CENTER:", 8, 0},
}};

constexpr std::array<std::string_view, 6> kAxes{"XAxis", "YAxis",  "ZAxis",
                                                "RAxis", "R1Axis", "R2Axis"};

std::array<Control, kControls.size()> displayControls() {
    std::array<Control, kControls.size()> controls{};
    for (std::size_t i = 0; i < kControls.size(); ++i)
        controls[i] = kControls[i].control;
    return controls;
}

const std::array<Control, kControls.size()> kDisplayControls = displayControls();

} // namespace

std::span<const Control> controlsInDisplayOrder() { return kDisplayControls; }
std::span<const HatDirection> hatDirections() { return kHatDirections; }

const SlotTable& SlotTable::instance() {
    static const SlotTable table;
    return table;
}

SlotTable::SlotTable() {
    std::vector<const ControlRow*> byStorage;
    for (const auto& row : kControls)
        byStorage.push_back(&row);
    std::sort(byStorage.begin(), byStorage.end(),
              [](const ControlRow* a, const ControlRow* b) { return a->storageRank < b->storageRank; });

    auto addPair = [this](const Control& control, std::string base, int releaseCode) {
        const int position = static_cast<int>(slots_.size()) + 1;
        slots_.push_back({base + "Press", control.group, position, releaseCode + 1, true, control.name});
        slots_.push_back({base + "Release", control.group, position + 1, releaseCode, false, control.name});
    };
    for (const ControlRow* row : byStorage) {
        const Control& control = row->control;
        if (!control.isHat) {
            addPair(control, std::string(control.name), buttonCode(row->deviceIndex, false));
            continue;
        }
        for (const HatDirection& direction : kHatDirections) {
            addPair(control, std::string(control.name) + std::string(direction.name),
                    hatCode(row->deviceIndex, direction.d, false));
        }
    }
    for (std::size_t i = 0; i < kAxes.size(); ++i) {
        const int position = static_cast<int>(slots_.size()) + 1;
        slots_.push_back({std::string(kAxes[i]), SlotGroup::Axis, position, static_cast<int>(i),
                          false, kAxes[i]});
        axisNames_.emplace_back(kAxes[i]);
    }
    if (slots_.size() != static_cast<std::size_t>(kSlotCount))
        throw std::logic_error("slot table must hold 106 slots");
    for (const Slot& slot : slots_) {
        positionByName_.emplace(slot.name, slot.position);
        (slot.group == SlotGroup::Axis ? axisCodeByName_ : deviceCodeByName_)
            .emplace(slot.name, slot.code);
    }

    // The text file's key order follows the controls on screen, press before release.
    for (const auto& row : kControls) {
        const Control& control = row.control;
        if (control.isHat) {
            for (const HatDirection& direction : kHatDirections) {
                const std::string base = std::string(control.name) + std::string(direction.name);
                fileKeyOrder_.push_back(*positionOf(base + "Press"));
                fileKeyOrder_.push_back(*positionOf(base + "Release"));
            }
        } else {
            fileKeyOrder_.push_back(*positionOf(std::string(control.name) + "Press"));
            fileKeyOrder_.push_back(*positionOf(std::string(control.name) + "Release"));
        }
    }
    for (std::string_view axis : kAxes)
        fileKeyOrder_.push_back(*positionOf(axis));

    deviceCodeNames_.resize(kControlCodeCount);
    for (const Slot& slot : slots_) {
        if (slot.group != SlotGroup::Axis)
            deviceCodeNames_.at(slot.code) = slot.name;
    }
}

std::optional<int> SlotTable::find(const NameIndex& index, std::string_view name) {
    const auto found = index.find(name);
    if (found == index.end())
        return std::nullopt;
    return found->second;
}

std::optional<int> SlotTable::positionOf(std::string_view name) const {
    return find(positionByName_, name);
}

std::span<const Slot> SlotTable::group(SlotGroup group) const {
    switch (group) {
    case SlotGroup::Stick:
        return std::span(slots_).subspan(0, kStickSlotCount);
    case SlotGroup::Throttle:
        return std::span(slots_).subspan(kStickSlotCount, kThrottleSlotCount);
    case SlotGroup::Axis:
        break;
    }
    return std::span(slots_).subspan(kStickSlotCount + kThrottleSlotCount, kAxisSlotCount);
}

std::optional<int> SlotTable::deviceCodeOf(std::string_view name) const {
    return find(deviceCodeByName_, name);
}

std::optional<int> SlotTable::axisCodeOf(std::string_view name) const {
    return find(axisCodeByName_, name);
}

} // namespace vantrel
