#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vantrel {

// Integer readers that behave like the C library conversions the file formats were
// defined with, on string views and without fixed-size buffers.

// White space as the C library's conversions and isspace in the "C" locale see it: blank,
// tab, LF, vertical tab, form feed, CR. The file formats trim and split with this one set.
bool isCSpace(char c);

struct ScannedInteger {
    long long value;    // saturated at the range of long long
    std::size_t length; // characters consumed, leading white space included
};

// Like scanf's "%i": white space skipped, an optional sign, then hexadecimal after "0x" or
// "0X", octal after a leading 0, decimal otherwise. Nothing when no digit can be read.
std::optional<ScannedInteger> scanCInteger(std::string_view text);

struct ScannedUnsigned {
    std::uint32_t value;
    std::size_t length;
};

// Like scanf's "%u": white space skipped, an optional sign, decimal digits. A minus sign
// negates modulo 2^32 and a value beyond 64 bits reads as the largest, as the C library
// stores it into an unsigned int. Nothing when no digit can be read.
std::optional<ScannedUnsigned> scanCUnsigned(std::string_view text);

// A delay or header value: white space skipped, an optional sign, decimal digits up to the
// first other character, 0 without digits; clamped to the signed 32-bit range.
std::int32_t readDecimalInt32(std::string_view text);

// A default delay of the profile header: white space skipped, an optional sign, decimal
// digits up to the first other character, 0 without digits. A value from -2147483648 to
// 4294967295 is stored modulo 2^32, so every value the writer emits reads back exactly and
// a negative one reaches the device's signed Delay unchanged (-5 is stored as 4294967291).
// A value beyond that range is taken as the nearer end of it: above as 4294967295, below as
// -2147483648 (stored 2147483648).
std::uint32_t readHeaderDelayValue(std::string_view text);

} // namespace vantrel
