#pragma once

#include "device/player/PlayerTypes.h"

#include <array>
#include <bitset>
#include <vector>

namespace vantrel::player {

inline constexpr int kVirtualHatCount = kHatCount;

// What the player holds on the computer's side: keys, DirectX buttons and mouse buttons
// down, and virtual hats off center. It follows every action the player emits, so the
// player can let go of all of it at once.
class HeldOutputs {
public:
    void record(const OutputAction& action);
    bool empty() const;
    // The actions that let go of everything held: key ups (by usage), joystick button ups,
    // mouse button ups, then every off-center hat back to center.
    std::vector<OutputAction> releases() const;

private:
    std::bitset<256> keys_;
    std::bitset<65> joyButtons_;
    std::bitset<4> mouseButtons_;
    std::array<int, kVirtualHatCount> hats_{};
};

} // namespace vantrel::player
