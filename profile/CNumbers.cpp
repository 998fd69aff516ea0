#include "profile/CNumbers.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace vantrel {

bool isCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

namespace {

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The parts of a number as the C library's conversions read them: white space, an optional
// sign, then digits in the base; a magnitude beyond 64 bits is marked, not wrapped.
struct CDigits {
    bool negative = false;
    bool digits = false;
    bool overflow = false;
    unsigned long long magnitude = 0;
    std::size_t length = 0;
};

// Base 0 chooses as "%i" does: hexadecimal after "0x" with a digit after it, octal after a
// leading 0, decimal otherwise.
CDigits readDigits(std::string_view text, int base) {
    CDigits result;
    std::size_t i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        result.negative = text[i] == '-';
        ++i;
    }
    if (base == 0) {
        base = 10;
        if (i < text.size() && text[i] == '0') {
            base = 8;
            if (i + 2 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
                isHexDigit(text[i + 2])) {
                base = 16;
                i += 2;
            }
        }
    }
    const char* begin = text.data() + i;
    const auto [end, error] =
        std::from_chars(begin, text.data() + text.size(), result.magnitude, base);
    result.digits = end != begin;
    result.overflow = error == std::errc::result_out_of_range;
    result.length = static_cast<std::size_t>(end - text.data());
    return result;
}

} // namespace

std::optional<ScannedInteger> scanCInteger(std::string_view text) {
    const CDigits read = readDigits(text, 0);
    if (!read.digits)
        return std::nullopt;
    constexpr auto kMax = static_cast<unsigned long long>(std::numeric_limits<long long>::max());
    long long value;
    if (read.negative)
        value = (read.overflow || read.magnitude > kMax) ? std::numeric_limits<long long>::min()
                                                         : -static_cast<long long>(read.magnitude);
    else
        value = (read.overflow || read.magnitude > kMax) ? std::numeric_limits<long long>::max()
                                                         : static_cast<long long>(read.magnitude);
    return ScannedInteger{value, read.length};
}

std::optional<ScannedUnsigned> scanCUnsigned(std::string_view text) {
    const CDigits read = readDigits(text, 10);
    if (!read.digits)
        return std::nullopt;
    unsigned long long value =
        read.overflow ? std::numeric_limits<unsigned long long>::max() : read.magnitude;
    if (read.negative && !read.overflow)
        value = 0ULL - value;
    return ScannedUnsigned{static_cast<std::uint32_t>(value), read.length};
}

std::int32_t readDecimalInt32(std::string_view text) {
    const CDigits read = readDigits(text, 10);
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    if (read.negative) {
        if (read.overflow || read.magnitude > static_cast<unsigned long long>(kMax) + 1)
            return kMin;
        return static_cast<std::int32_t>(-static_cast<long long>(read.magnitude));
    }
    if (read.overflow || read.magnitude > static_cast<unsigned long long>(kMax))
        return kMax;
    return static_cast<std::int32_t>(read.magnitude);
}

std::uint32_t readHeaderDelayValue(std::string_view text) {
    const CDigits read = readDigits(text, 10);
    constexpr unsigned long long kMostNegative = 0x80000000ULL;
    constexpr unsigned long long kMostPositive = 0xFFFFFFFFULL;
    if (read.negative) {
        const unsigned long long magnitude =
            read.overflow ? kMostNegative : std::min(read.magnitude, kMostNegative);
        return static_cast<std::uint32_t>(0ULL - magnitude);
    }
    if (read.overflow || read.magnitude > kMostPositive)
        return static_cast<std::uint32_t>(kMostPositive);
    return static_cast<std::uint32_t>(read.magnitude);
}

} // namespace vantrel
