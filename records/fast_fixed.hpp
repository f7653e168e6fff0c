// "(F11.10)" of a single-precision value widened to double, without the
// general field writer. The text is the one that writer produces: the exact
// value rounded to 17 significant digits (ties to even), that rounded half up
// at the tenth decimal.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>

#include "records/data_line.hpp"

namespace tamboril::records {

namespace fast_fixed {

inline constexpr std::uint32_t kOneBits = 0x3F800000u;      // 1.0f
inline constexpr std::uint64_t kUnitsOfOne = 10000000000u;  // 10^10
// Floats below 2^-35 (about 2.9e-11) all show as zero: even rounded to 17
// digits they stay under the half unit 5e-11.
inline constexpr std::uint32_t kLowestExponent = 127 - 35;

// The value in units of 10^-10 by the full rule (17 digits, then half up),
// in integer arithmetic, for a positive float in [2^-35, 1).
std::uint64_t units_by_17_digits(std::uint32_t bits);
// The same in 64-bit arithmetic alone; it serves where the compiler has no
// 128-bit integer type.
std::uint64_t units_by_17_digits_portable(std::uint32_t bits);

// The four ASCII digits of 0 to 9999, first digit in the lowest byte.
struct FourDigits {
    std::uint32_t text[10000];
};

inline constexpr FourDigits kFourDigits = [] {
    FourDigits table{};
    for (std::uint32_t i = 0; i < 10000; ++i) {
        table.text[i] = (0x30 + i / 1000) | (0x30 + i / 100 % 10) << 8 |
                        (0x30 + i / 10 % 10) << 16 | (0x30 + i % 10) << 24;
    }
    return table;
}();

// "." and the two digits of 0 to 99 (the fourth byte is overwritten).
inline constexpr std::array<std::uint32_t, 100> kPointTwoDigits = [] {
    std::array<std::uint32_t, 100> table{};
    for (std::uint32_t i = 0; i < 100; ++i) {
        table[i] = '.' | (0x30 + i / 10) << 8 | (0x30 + i % 10) << 16;
    }
    return table;
}();

}  // namespace fast_fixed

// Writes the 11 characters of "(F11.10)" for `value` widened to double.
inline void render_sample_line(float value, char* out) {
    using namespace fast_fixed;
    static_assert(std::endian::native == std::endian::little);
    const auto bits = std::bit_cast<std::uint32_t>(value);
    if (bits >= kOneBits) {
        if (bits >> 31) {
            // The sign bit set: negative values overflow unless they round
            // to zero, and negative zero; the general field writer decides.
            render_data_line(static_cast<double>(value), out);
        } else {
            std::memset(out, '*', 11);  // 1 or more, infinity, NaN
        }
        return;
    }
    // Both significands have 24 bits (10^10 is 9765625 * 2^10), so the
    // product is exact, and so is the sum with one half from 2^-35 on (49
    // bits at most). Below 2^-35 the sum is under 1 whichever way it rounds.
    const double scaled = static_cast<double>(value) * 1e10;
    const double lifted = scaled + 0.5;
    // Half up, in 10^-10. Below 2^34, so the signed conversions are exact,
    // and each is one instruction (the unsigned ones test the top bit).
    const auto truncated = static_cast<std::int64_t>(lifted);
    auto units = static_cast<std::uint64_t>(truncated);
    // Rounding to 17 digits first moves the value by less than 2^-24 of a
    // unit. That can only matter just below the half way mark, which it may
    // reach; everywhere else half up of the exact value gives the same digits.
    if (lifted - static_cast<double>(truncated) >= 1.0 - 0x1p-24) units = units_by_17_digits(bits);
    if (units >= kUnitsOfOne) {
        std::memset(out, '*', 11);  // rounded up to 1.0000000000
        return;
    }
    const auto top = static_cast<std::uint32_t>(units / 100000000u);  // 0 to 99
    const auto low = static_cast<std::uint32_t>(units - std::uint64_t{top} * 100000000u);
    const std::uint32_t middle = low / 10000;
    std::memcpy(out, &kPointTwoDigits[top], 4);
    std::memcpy(out + 3, &kFourDigits.text[middle], 4);
    std::memcpy(out + 7, &kFourDigits.text[low - middle * 10000], 4);
}

// Writes one data-file record per sample at `out` (its line, then CR LF),
// kDataRecordBytes each; returns the end. One line at a time.
inline char* render_sample_records_plain(std::span<const float> samples, char* out) {
    for (const float sample : samples) {
        render_sample_line(sample, out);
        out[kDataLineWidth] = '\r';
        out[kDataLineWidth + 1] = '\n';
        out += kDataRecordBytes;
    }
    return out;
}

namespace fast_fixed {

// Whether this build has the vector path and this processor runs it (AVX2).
bool vector_records_available();
// The records as render_sample_records_plain writes them, sixteen lines at a
// time in 256-bit vectors; only where vector_records_available().
char* render_sample_records_vector(std::span<const float> samples, char* out);

}  // namespace fast_fixed

// The records as render_sample_records_plain writes them, by the vector path
// where the processor has it.
char* render_sample_records(std::span<const float> samples, char* out);

}  // namespace tamboril::records
