#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

// What the device profile format can hold, and the texts with which the translation refuses
// a profile beyond it. The check reports the same limits with the same texts.

inline constexpr std::uint64_t kMost16BitCount = 0xFFFF; // scripts, events, modes, entries
inline constexpr long long kMost8BitCount = 0xFF;        // breakpoints and group lines
// Breakpoint group g is named by the codes 2g and 2g + 1, which must fit 16 bits.
inline constexpr std::uint32_t kLastBreakpointGroup = 0x7FFF;

// A group line's Count that the device format can hold.
bool groupCountFits(long long count);

inline const std::string kLimitTitle = "Device profile limit exceeded.";
inline const std::string kProfileErrorTitle = "Profile error.";

// "Too many <what>:  <count> (at most <limit>)."
std::string tooManyText(std::string_view what, std::uint64_t count, std::uint64_t limit);
std::string countOutOfRangeText(std::string_view chain, long long count);
// kind: "axis chain" or "programming mode".
std::string noClosingLineText(std::string_view kind, std::string_view name);
std::string tooManyAssignmentsText(std::string_view mode, std::uint64_t filled,
                                   std::uint64_t declared);

// A text with no section line at all: whatever it is, it holds no profile, and a device file
// made from it would clear the device.
std::string notProfileTextText();

// The program's own refusal texts name the line they are about, so that a message box,
// which shows no place, still tells where to look: "Line 12: <text>".
std::string withLineNumber(std::size_t line, std::string_view text);

} // namespace vantrel
