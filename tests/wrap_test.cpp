// 32-bit wrapping helpers, the double-to-integer conversion and the integer
// form of the exact floating-point remainder.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {
namespace {

TEST(Wrap, ArithmeticKeepsTheLow32Bits) {
    EXPECT_EQ(wrap_mul(524287, 65539), wrap(static_cast<std::uint32_t>(524287ull * 65539ull)));
    EXPECT_EQ(wrap_mul(2147483647, 2), -2);
    EXPECT_EQ(wrap_add(2147483647, 1), INT32_MIN);
    EXPECT_EQ(wrap_sub(INT32_MIN, 1), 2147483647);
    EXPECT_EQ(wrap_neg(INT32_MIN), INT32_MIN);
    EXPECT_EQ(wrap_abs(-5), 5);
    EXPECT_EQ(wrap_shl(0x12345678, 16), 0x56780000);
    EXPECT_EQ(low_bits(-1, 15), 32767);
    EXPECT_EQ(low_bits(INT32_MIN + 5, 20), 5);
}

struct Conversion {
    double value;
    std::int32_t expected;
};

TEST(Wrap, TruncationToInt32KeepsTheLowBitsOfTheInteger) {
    const Conversion cases[] = {
        {1.5, 1},
        {-1.5, -1},
        {2147483647.9, 2147483647},
        {-2147483648.0, INT32_MIN},
        {2147483648.0, INT32_MIN},
        {4294967297.0, 1},
        {-2147483649.0, 2147483647},
        {-4294967297.0, -1},
        {1089964434829.0, -957258355},
        {std::ldexp(1.0, 64) + 4096.0, 4096},
        {-std::ldexp(1.0, 70), 0},
        {-(std::ldexp(1.0, 64) + 4096.0), -4096},
        {std::numeric_limits<double>::quiet_NaN(), 0},
        {std::numeric_limits<double>::infinity(), 0},
    };
    for (const Conversion& c : cases) EXPECT_EQ(truncate_to_int32(c.value), c.expected) << c.value;
}

TEST(Wrap, IntegerRemainderEqualsFmod) {
    std::mt19937_64 random(7);
    auto check = [](double a) {
        const double expected = std::fmod(a, 2147483647.0);
        const double got = exact_remainder<2147483647>(a);
        if (std::isnan(expected)) {
            EXPECT_TRUE(std::isnan(got)) << a;
        } else {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(expected)) << a;
        }
    };
    for (int i = 0; i < 200000; ++i) {
        const std::uint64_t bits = random();
        check(static_cast<double>(bits >> (bits % 64)));   // integers of every size
        check(std::ldexp(static_cast<double>(bits >> 11), -static_cast<int>(bits % 40)));  // fractions
        check(-static_cast<double>(bits >> 20));           // negative
    }
    for (double a : {0.0, -0.0, 2147483647.0, 2147483646.0, std::ldexp(1.0, 63),
                     std::ldexp(1.0, 63) - 1024.0, std::ldexp(1.0, 80),
                     std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN()}) {
        check(a);
    }
    EXPECT_EQ(exact_remainder<4294967296>(69069.0 * 4294967295.0 + 1.0),
              std::fmod(69069.0 * 4294967295.0 + 1.0, 4294967296.0));
}

}  // namespace
}  // namespace tamboril::generators
