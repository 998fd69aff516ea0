#pragma once

#include <cstdint>

namespace vantrel {

// The press and release delays, in milliseconds, of a new profile and of the translation at
// program start.
inline constexpr std::uint32_t kInitialDelay = 10;

// The delays given to key, DirectX-button and mouse-button events whose token has none.
struct DefaultDelays {
    std::uint32_t press = kInitialDelay;
    std::uint32_t release = kInitialDelay;
    bool operator==(const DefaultDelays&) const = default;
};

} // namespace vantrel
