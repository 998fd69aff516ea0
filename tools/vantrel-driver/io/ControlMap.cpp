#include "io/ControlMap.h"

#include <linux/input-event-codes.h>

#include <algorithm>
#include <cstdint>

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
