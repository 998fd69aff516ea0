#pragma once

#include "device/player/PlayerTypes.h"
#include "io/ControlMap.h"
#include "io/ControlOrigin.h"
#include "io/DriverIo.h"

#include <linux/input.h>

#include <array>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vantrel::driver {

// Turns evdev events into changes of the X36's controls. Events of one frame (up to SYN_REPORT)
// count as simultaneous: at the frame's end every control whose value differs from the one last
// reported yields one change, so jitter within a frame and repeated values yield nothing.
class ControlMapper {
public:
    // device names the device in each change's origin.
    explicit ControlMapper(const ControlMap& map, NoticeHandler notices = {},
                           std::string device = {});

    // The raw range of an axis whose map gives none (the device's absinfo). Without either,
    // raw values are taken as already in kAxisMinimum..kAxisMaximum.
    void setDeviceRange(int axis, AxisRange range);

    // Appends the changes a frame's end brings, with one origin for each: the event that last
    // set the control in the frame.
    void process(const input_event& event, std::vector<player::ControlInput>& changes,
                 std::vector<ControlOrigin>& origins);

private:
    enum class Role { Button, HatButton, HatX, HatY, Axis };
    struct Target {
        Role role;
        int index;    // button, hat or axis
        int part = 0; // HatBinding::Button of a hat button
    };
    struct State {
        std::array<int, player::kButtonCount> buttons{};
        std::array<std::array<int, 4>, player::kHatCount> hatButtons{};
        std::array<int, player::kHatCount> hatX{};
        std::array<int, player::kHatCount> hatY{};
        std::array<std::optional<int>, player::kAxisCount> axes{};
    };

    void apply(const Target& target, const input_event& event);
    void endFrame(std::vector<player::ControlInput>& changes, std::vector<ControlOrigin>& origins);
    void noteOrigin(std::vector<ControlOrigin>& origins, const input_event& event) const;
    int hatDirectionOf(const State& state, int hat) const;
    void reportUnmapped(const input_event& event);

    ControlMap map_;
    NoticeHandler notices_;
    std::string device_;
    // The event that last set each control in the frame, for its change's origin.
    std::array<input_event, player::kButtonCount> buttonEvents_{};
    std::array<input_event, player::kHatCount> hatEvents_{};
    std::array<input_event, player::kAxisCount> axisEvents_{};
    std::unordered_map<int, Target> keyTargets_;
    std::unordered_map<int, Target> absTargets_;
    std::array<AxisRange, player::kAxisCount> ranges_{};
    State frame_;    // as the events of the current frame leave it
    State reported_; // as last reported
    bool dropping_ = false;
    std::set<std::pair<int, int>> unmappedSeen_;
};

} // namespace vantrel::driver
