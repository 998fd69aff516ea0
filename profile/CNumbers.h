#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vantrel {

// Integer readers that behave like the C library conversions the file formats were
// defined with, on string views and without fixed-size buffers.

struct ScannedInteger {
    long long value;    // saturated at the range of long long
    std::size_t length; // characters consumed, leading white space included
};

// Like scanf's "%i": white space skipped, an optional sign, then hexadecimal after "0x" or
// "0X", octal after a leading 0, decimal otherwise. Nothing when no digit can be read.
std::optional<ScannedInteger> scanCInteger(std::string_view text);

} // namespace vantrel
