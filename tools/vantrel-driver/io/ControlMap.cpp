#include "io/ControlMap.h"

#include <linux/input-event-codes.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <system_error>

namespace vantrel::driver {

ControlMap defaultControlMap() {
    ControlMap map;
    for (int b = 0; b < player::kButtonCount; ++b)
        map.buttons[static_cast<std::size_t>(b)] = BTN_TRIGGER + b;
    for (int h = 0; h < player::kHatCount; ++h) {
        HatBinding& hat = map.hats[static_cast<std::size_t>(h)];
        hat.kind = HatBinding::Kind::AxisPair;
        hat.xCode = ABS_HAT0X + 2 * h;
        hat.yCode = ABS_HAT0Y + 2 * h;
    }
    constexpr std::array<int, player::kAxisCount> axes = {ABS_X,  ABS_Y,  ABS_Z,
                                                          ABS_RX, ABS_RY, ABS_THROTTLE};
    for (std::size_t a = 0; a < axes.size(); ++a)
        map.axes[a].code = axes[a];
    return map;
}

namespace {

constexpr const char* kByIdFolder = "/dev/input/by-id/";

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

bool matches(const DeviceMatch& device, const DeviceIdentity& identity) {
    if (!device.byId.empty())
        return sameFile(kByIdFolder + device.byId, identity.path);
    return device.vendor == identity.vendor && device.product == identity.product &&
           (device.name.empty() || device.name == identity.name);
}

// Calls visit(deviceLabel, bound, unbind) for every control of the map.
template <typename Visit> void forEachControl(ControlMap& map, Visit visit) {
    for (std::size_t b = 0; b < map.buttons.size(); ++b)
        visit(map.buttonDevices[b], map.buttons[b] != kUnbound,
              [&map, b] { map.buttons[b] = kUnbound; });
    for (std::size_t h = 0; h < map.hats.size(); ++h)
        visit(map.hatDevices[h], map.hats[h].kind != HatBinding::Kind::None,
              [&map, h] { map.hats[h] = HatBinding{}; });
    for (std::size_t a = 0; a < map.axes.size(); ++a)
        visit(map.axisDevices[a], map.axes[a].code != kUnbound,
              [&map, a] { map.axes[a] = AxisBinding{}; });
}

} // namespace

std::string deviceLabelFor(const ControlMap& map, const DeviceIdentity& identity) {
    for (const DeviceMatch& device : map.devices) {
        if (matches(device, identity))
            return device.label;
    }
    return {};
}

bool drivesAnything(const ControlMap& map, const std::string& label) {
    if (map.devices.empty() || !label.empty())
        return true;
    bool any = false;
    ControlMap copy = map;
    forEachControl(copy, [&any](const std::string& device, bool bound, auto) {
        any = any || (bound && device.empty());
    });
    return any;
}

ControlMap bindingsOf(const ControlMap& map, const std::string& label) {
    ControlMap seen = map;
    forEachControl(seen, [&label](const std::string& device, bool, auto unbind) {
        if (!device.empty() && device != label)
            unbind();
    });
    return seen;
}

int scaleAxis(int value, AxisRange range, bool inverted) {
    constexpr std::int64_t span = std::int64_t{player::kAxisMaximum} - player::kAxisMinimum;
    std::int64_t scaled = 0;
    if (range.maximum > range.minimum) {
        const std::int64_t width = std::int64_t{range.maximum} - range.minimum;
        const std::int64_t offset =
            std::clamp<std::int64_t>(value, range.minimum, range.maximum) - range.minimum;
        // Rounded to the nearest step, so both ends of the raw range reach both ends exactly.
        scaled = player::kAxisMinimum + (offset * span * 2 + width) / (width * 2);
    }
    return static_cast<int>(inverted ? -scaled : scaled);
}

} // namespace vantrel::driver
