#pragma once

#include "device/player/PlayerTypes.h"
#include "io/ControlOrigin.h"

#include <array>
#include <map>
#include <string>
#include <vector>

namespace vantrel::driver {

// Several devices play as one X36: a button is down while any device holds it down, a hat
// points where the device that moved it last points (or, once that one is centred, where
// another still points), an axis follows whichever device moved it. Changes that leave the X36's
// control as it was are dropped, so a control bound on two devices is pressed once.
class ControlMerge {
public:
    using Changes = std::vector<player::ControlInput>;
    using Origins = std::vector<ControlOrigin>;

    // Takes the changes of one device (by any number that tells it from the others) and
    // appends those that change the X36's controls.
    void take(int device, const Changes& changes, const Origins& origins, Changes& merged,
              Origins& mergedOrigins);
    // The device is gone: appends the releases of what it held (origin: its name, type 0).
    void drop(int device, const std::string& name, Changes& merged, Origins& mergedOrigins);

private:
    struct Held {
        std::array<bool, player::kButtonCount> buttons{};
        std::array<int, player::kHatCount> hats{};
    };
    bool buttonDown(int button) const;
    int hatDirection(int hat) const;
    // Appends the change when the merged value differs from the one last reported.
    void report(const player::ControlInput& change, const ControlOrigin& origin, Changes& merged,
                Origins& mergedOrigins);

    std::map<int, Held> held_;
    std::array<int, player::kHatCount> lastHatMover_{};
    std::array<bool, player::kButtonCount> reportedButtons_{};
    std::array<int, player::kHatCount> reportedHats_{};
};

} // namespace vantrel::driver
