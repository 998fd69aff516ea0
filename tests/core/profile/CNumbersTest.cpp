#include "profile/CNumbers.h"

#include <gtest/gtest.h>

#include <limits>

namespace vantrel {
namespace {

TEST(CNumbers, IntegerLikePercentI) {
    EXPECT_EQ(scanCInteger("  42)")->value, 42);
    EXPECT_EQ(scanCInteger("  42)")->length, 4u);
    EXPECT_EQ(scanCInteger("-0x1F")->value, -31);
    EXPECT_EQ(scanCInteger("010")->value, 8);
    EXPECT_EQ(scanCInteger("09")->value, 0); // octal stops at the 9
    EXPECT_EQ(scanCInteger("0xg")->value, 0);
    EXPECT_FALSE(scanCInteger("   "));
    EXPECT_FALSE(scanCInteger("+"));
    EXPECT_EQ(scanCInteger("99999999999999999999999")->value,
              std::numeric_limits<long long>::max());
}

TEST(CNumbers, UnsignedLikePercentU) {
    EXPECT_EQ(scanCUnsigned(" 10 )")->value, 10u);
    EXPECT_EQ(scanCUnsigned("010")->value, 10u); // always decimal
    EXPECT_EQ(scanCUnsigned("0x10")->value, 0u);
    EXPECT_EQ(scanCUnsigned("0x10")->length, 1u);
    EXPECT_EQ(scanCUnsigned("-1")->value, 0xFFFFFFFFu);
    EXPECT_EQ(scanCUnsigned("4294967296")->value, 0u);
    EXPECT_FALSE(scanCUnsigned("x"));
}

TEST(CNumbers, DecimalClampedToInt32) {
    EXPECT_EQ(readDecimalInt32(" -5"), -5);
    EXPECT_EQ(readDecimalInt32("40ms"), 40);
    EXPECT_EQ(readDecimalInt32(""), 0);
    EXPECT_EQ(readDecimalInt32("abc"), 0);
    EXPECT_EQ(readDecimalInt32("0x10"), 0);
    EXPECT_EQ(readDecimalInt32("2147483648"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(readDecimalInt32("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(readDecimalInt32("-99999999999999999999999"),
              std::numeric_limits<std::int32_t>::min());
}

} // namespace
} // namespace vantrel
