// The 17-digit rounding of the sample renderer in 64-bit arithmetic alone
// (for compilers without a 128-bit integer type) against the 128-bit product
// and against printf's correctly rounded digits.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "records/fast_fixed.hpp"
#include "tests/support/program.hpp"

namespace tamboril::records::fast_fixed {
namespace {

constexpr std::uint32_t kFirst = kLowestExponent << 23;  // 2^-35
constexpr std::uint32_t kEnd = kOneBits;                 // 1.0

std::string line_of_units(std::uint64_t units) {
    if (units >= kUnitsOfOne) return std::string(11, '*');
    std::string line(11, '0');
    line[0] = '.';
    for (std::size_t i = 10; units != 0; --i, units /= 10) line[i] = static_cast<char>('0' + units % 10);
    return line;
}

TEST(PortableDigits, EqualToTheWideProduct) {
#ifdef __SIZEOF_INT128__
    // A stride through every binade, and both ends of each binade whole.
    for (std::uint32_t bits = kFirst; bits < kEnd; bits += 37) {
        ASSERT_EQ(units_by_17_digits_portable(bits), units_by_17_digits(bits)) << std::hex << bits;
    }
    for (std::uint32_t exponent = kLowestExponent; exponent < 127; ++exponent) {
        for (std::uint32_t m = 0; m < 4096; ++m) {
            for (const std::uint32_t bits : {exponent << 23 | m, exponent << 23 | (0x7FFFFFu - m)}) {
                ASSERT_EQ(units_by_17_digits_portable(bits), units_by_17_digits(bits))
                    << std::hex << bits;
            }
        }
    }
#else
    GTEST_SKIP() << "no 128-bit integer type: the portable form is the only one";
#endif
}

TEST(PortableDigits, EqualToPrintfDigits) {
    for (std::uint32_t bits = kFirst; bits < kEnd; bits += 9973) {
        const double value = static_cast<double>(std::bit_cast<float>(bits));
        ASSERT_EQ(line_of_units(units_by_17_digits_portable(bits)),
                  testing::expected_data_line(value))
            << std::hex << bits;
    }
}

}  // namespace
}  // namespace tamboril::records::fast_fixed
