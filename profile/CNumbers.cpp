#include "profile/CNumbers.h"

#include <algorithm>
#include <limits>

namespace vantrel {

bool isCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

namespace {

int digitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

} // namespace

std::optional<ScannedInteger> scanCInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '0') {
        if (i + 2 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
            digitValue(text[i + 2]) < 16) {
            base = 16;
            i += 2;
        } else {
            base = 8;
        }
    }
    const std::size_t digitsBegin = i;
    unsigned long long magnitude = 0;
    bool overflow = false;
    while (i < text.size() && digitValue(text[i]) < base) {
        const unsigned long long next = magnitude * base + digitValue(text[i]);
        if (magnitude >
            (std::numeric_limits<unsigned long long>::max() - digitValue(text[i])) / base)
            overflow = true;
        else
            magnitude = next;
        ++i;
    }
    if (i == digitsBegin)
        return std::nullopt;

    constexpr auto kMax = static_cast<unsigned long long>(std::numeric_limits<long long>::max());
    long long value;
    if (negative)
        value = (overflow || magnitude > kMax + 1) ? std::numeric_limits<long long>::min()
                : magnitude == kMax + 1            ? std::numeric_limits<long long>::min()
                                                   : -static_cast<long long>(magnitude);
    else
        value = (overflow || magnitude > kMax) ? std::numeric_limits<long long>::max()
                                               : static_cast<long long>(magnitude);
    return ScannedInteger{value, i};
}

namespace {

struct DecimalDigits {
    bool negative = false;
    bool digits = false;
    bool overflow = false;
    unsigned long long magnitude = 0;
    std::size_t length = 0;
};

DecimalDigits readDecimal(std::string_view text) {
    DecimalDigits result;
    std::size_t i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        result.negative = text[i] == '-';
        ++i;
    }
    constexpr auto kMax = std::numeric_limits<unsigned long long>::max();
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        const unsigned digit = static_cast<unsigned>(text[i] - '0');
        if (result.magnitude > (kMax - digit) / 10)
            result.overflow = true;
        else
            result.magnitude = result.magnitude * 10 + digit;
        result.digits = true;
        ++i;
    }
    result.length = i;
    return result;
}

} // namespace

std::optional<ScannedUnsigned> scanCUnsigned(std::string_view text) {
    const DecimalDigits read = readDecimal(text);
    if (!read.digits)
        return std::nullopt;
    unsigned long long value =
        read.overflow ? std::numeric_limits<unsigned long long>::max() : read.magnitude;
    if (read.negative && !read.overflow)
        value = 0ULL - value;
    return ScannedUnsigned{static_cast<std::uint32_t>(value), read.length};
}

std::int32_t readDecimalInt32(std::string_view text) {
    const DecimalDigits read = readDecimal(text);
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
    const DecimalDigits read = readDecimal(text);
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
