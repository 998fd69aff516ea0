#include "profile/CNumbers.h"

#include <limits>

namespace vantrel {
namespace {

bool isCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

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
        if (magnitude > (std::numeric_limits<unsigned long long>::max() - digitValue(text[i])) / base)
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

} // namespace vantrel
