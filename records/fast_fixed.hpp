// "(F11.10)" of a single-precision value widened to double, in integer
// arithmetic. The text is the one the general field writer produces: the
// exact value rounded to 17 significant digits (ties to even), that rounded
// half up at the tenth decimal.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace tamboril::records {

namespace fast_fixed {

// A positive float below 1 with biased exponent b is m * 2^(b - 150), m in
// [2^23, 2^24), so value * 10^10 = m * 5^10 / 2^(140 - b) exactly, and
// m * 5^10 < 2^48. Below 2^-35 (about 2.9e-11) every value shows as zero:
// even rounded to 17 digits it stays under the half unit 5e-11.
inline constexpr std::uint32_t kLowestExponent = 127 - 35;
inline constexpr std::uint32_t kOneBits = 0x3F800000u;  // 1.0f
inline constexpr std::uint64_t kFive10 = 9765625;       // 5^10
inline constexpr std::uint64_t kTenths = 10000000000u;  // 10^10

// The value in units of 10^-10 by the full rule (17 digits, then half up),
// for a positive float in [2^-35, 1).
std::uint64_t tenths_by_17_digits(std::uint32_t bits);

// The general field writer, for values with the sign bit set (negative
// values, which overflow unless they round to zero, and negative zero).
void render_general(float value, char* out);

// Eight decimal digits of `value` (below 10^8) as ASCII, first digit in the
// lowest byte: 4-digit, 2-digit and 1-digit halves split in parallel lanes.
inline std::uint64_t eight_digits(std::uint32_t value) {
    const std::uint64_t fours = (value / 10000) | (std::uint64_t{value % 10000} << 32);
    const std::uint64_t hundreds_high = ((fours * 10486) >> 20) & 0x0000007F0000007Fu;
    const std::uint64_t twos = ((fours - 100 * hundreds_high) << 16) | hundreds_high;
    const std::uint64_t tens = ((twos * 103) >> 10) & 0x000F000F000F000Fu;
    return (tens | ((twos - 10 * tens) << 8)) + 0x3030303030303030u;
}

}  // namespace fast_fixed

// Writes the 11 characters of "(F11.10)" for `value` widened to double.
inline void render_sample_line(float value, char* out) {
    using namespace fast_fixed;
    static_assert(std::endian::native == std::endian::little);
    const auto bits = std::bit_cast<std::uint32_t>(value);
    if (bits >= kOneBits) {
        if (bits >> 31) {
            render_general(value, out);
        } else {
            std::memset(out, '*', 11);  // 1 or more, infinity, NaN
        }
        return;
    }
    std::uint64_t tenths = 0;
    const std::uint32_t biased = bits >> 23;
    if (biased >= kLowestExponent) {
        const std::uint64_t m = (bits & 0x7FFFFFu) | 0x800000u;
        const unsigned shift = 140 - biased;  // 14 to 48
        const std::uint64_t scaled = m * kFive10;
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        const std::uint64_t fraction = scaled & ((half << 1) - 1);
        // Rounding to 17 digits moves the value by less than 2^-24 of a unit
        // of the tenth decimal. It can only matter just below the half way
        // mark, which it can reach; everywhere else half up of the exact value
        // gives the same digits.
        if (fraction < half && half - fraction <= (half >> 23)) {
            tenths = tenths_by_17_digits(bits);
        } else {
            tenths = (scaled + half) >> shift;
        }
        if (tenths >= kTenths) {
            std::memset(out, '*', 11);  // rounded up to 1.0000000000
            return;
        }
    }
    const auto high = static_cast<std::uint32_t>(tenths / 100000000u);
    const auto low = static_cast<std::uint32_t>(tenths - std::uint64_t{high} * 100000000u);
    const std::uint64_t digits = eight_digits(low);
    out[0] = '.';
    out[1] = static_cast<char>('0' + high / 10);
    out[2] = static_cast<char>('0' + high % 10);
    std::memcpy(out + 3, &digits, 8);
}

}  // namespace tamboril::records
