#pragma once

#include <cstddef>
#include <cstdint>

namespace vantrel {

// The layout of a device profile file (.bpf), shared by the translation that writes it, the
// check that reads it back as the device does, the player that runs it and the link that
// sends it. Every field is little-endian and the records follow each other with no gaps.

inline constexpr std::uint8_t kDeviceFileVersion = 4; // VS
// The most bytes the device takes, sent in one transfer.
inline constexpr std::size_t kDeviceProfileCapacity = 65535;

inline constexpr std::size_t kDeviceHeaderSize = 7;              // VS, Length, script count
inline constexpr std::size_t kDeviceCountSize = 2;               // each record count
inline constexpr std::size_t kDeviceVersionSize = 1;             // VS
inline constexpr std::size_t kDeviceLengthSize = 4;              // Length
inline constexpr std::size_t kDeviceScriptHeaderSize = 4;        // ID, Ecnt
inline constexpr std::size_t kDeviceEventSize = 7;               // OC, Data, Delay
inline constexpr std::size_t kDeviceConfigurationHeaderSize = 4; // ID, Entries
inline constexpr std::size_t kDeviceEntrySize = 5;               // type, code, assignment
inline constexpr std::size_t kDeviceChainHeaderSize = 3;         // ID, BP
inline constexpr std::size_t kDeviceBreakpointSize = 6;          // P, F, P again
inline constexpr std::size_t kDeviceEndSize = 1;                 // the final zero byte
static_assert(kDeviceHeaderSize == kDeviceVersionSize + kDeviceLengthSize + kDeviceCountSize);

// The bytes of each record with what it holds, and of the header, the two record counts and
// the end byte, which every file has; counted in 64 bits, so that a profile far too large for
// the device is still measured right.
constexpr std::uint64_t scriptSize(std::uint64_t events) {
    return kDeviceScriptHeaderSize + kDeviceEventSize * events;
}
constexpr std::uint64_t configurationSize(std::uint64_t entries) {
    return kDeviceConfigurationHeaderSize + kDeviceEntrySize * entries;
}
constexpr std::uint64_t chainSize(std::uint64_t breakpoints) {
    return kDeviceChainHeaderSize + kDeviceBreakpointSize * breakpoints;
}
inline constexpr std::uint64_t kDeviceFrameSize =
    kDeviceHeaderSize + 2 * kDeviceCountSize + kDeviceEndSize;

// An event's Delay is signed 32-bit milliseconds: the device waits from 0 to this long. A
// default delay beyond it would reach the device as a negative number.
inline constexpr std::int32_t kDeviceLongestDelay = 0x7FFFFFFF;

// What a script event does (its OC). A file may hold any byte here; the device knows these.
enum class EventOpcode : std::uint8_t {
    KeyPress = 0,
    KeyRelease = 1,
    DirectXPress = 2,
    DirectXRelease = 3,
    HatDirection = 4,
    LoadMode = 5,
    MousePress = 8,
    MouseRelease = 9,
    MouseMoveHorizontal = 10,
    MouseMoveVertical = 11,
};

// A configuration entry's type: a code bound to a script, or an axis bound to a chain.
inline constexpr std::uint8_t kScriptEntry = 0;
inline constexpr std::uint8_t kChainEntry = 1;

// The codes of the controls, in the order the device numbers them. Button b has the release
// code 2b and the press code 2b + 1 (Trigger 0/1 ... Aux3 26/27). Hat h numbers its nine
// directions d (0 Center, 1 Up, 2 UpRight, ... 8 UpLeft) with the release code 28 + 18h + 2d
// and the press code one more. Axes are X, Y, Z, R, R1, R2 (axis codes 0 to 5).
inline constexpr int kButtonCount = 14;
inline constexpr int kHatCount = 4; // StickHat1, ThrottleHat1, MouseHat, StickHat2
inline constexpr int kHatDirectionCount = 9;
inline constexpr int kAxisCount = 6;
inline constexpr int kFirstHatCode = 2 * kButtonCount;
inline constexpr int kCodesPerHat = 2 * kHatDirectionCount;
// Codes from here on name breakpoint groups (below).
inline constexpr int kControlCodeCount = kFirstHatCode + kCodesPerHat * kHatCount;

constexpr int buttonCode(int button, bool press) {
    return 2 * button + (press ? 1 : 0);
}
constexpr int hatCode(int hat, int direction, bool press) {
    return kFirstHatCode + kCodesPerHat * hat + 2 * direction + (press ? 1 : 0);
}

// Breakpoint groups are numbered from here. Group g has two codes in the base mode: 2g, the
// script run when the axis crosses a breakpoint of the group decreasing, and 2g + 1, increasing.
inline constexpr std::uint16_t kFirstBreakpointGroup = 50;

constexpr int breakpointCode(int group, bool increase) {
    return 2 * group + (increase ? 1 : 0);
}
constexpr int breakpointGroupOf(int code) {
    return code / 2;
}
constexpr bool breakpointCodeIncreases(int code) {
    return code % 2 != 0;
}
static_assert(breakpointCode(kFirstBreakpointGroup, false) == kControlCodeCount);
static_assert(breakpointGroupOf(breakpointCode(kFirstBreakpointGroup, true)) ==
                  kFirstBreakpointGroup &&
              breakpointCodeIncreases(breakpointCode(kFirstBreakpointGroup, true)) &&
              !breakpointCodeIncreases(breakpointCode(kFirstBreakpointGroup, false)));

// The driver's one-byte commands; each is answered by one byte, 0 for success. The profile
// itself follows a prepared load in one message.
enum class DriverCommand : std::uint8_t { Ping = 0, PrepareLoad = 1, ClearProfile = 3 };
inline constexpr std::uint8_t kDriverSuccess = 0;
// The answer to a message that is no command.
inline constexpr std::uint8_t kUnknownCommandReply = 0xFF;

} // namespace vantrel
