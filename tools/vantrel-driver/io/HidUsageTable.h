#pragma once

#include <cstdint>
#include <span>

namespace vantrel::driver {

// A key of the USB HID Keyboard/Keypad page as each output sees it: the Linux input code a
// virtual keyboard sends, and the X KeySym an X server is asked to find a keycode for.
struct HidKey {
    std::uint8_t usage;
    std::uint16_t linuxKey;
    std::uint32_t keySym;
};

// Usages 4 to 99 and the modifiers 224 to 231, in usage order.
std::span<const HidKey> hidKeys();
const HidKey* findHidKey(int usage);

} // namespace vantrel::driver
