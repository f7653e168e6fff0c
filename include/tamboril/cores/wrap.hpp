// 32-bit two's-complement arithmetic that wraps, without signed overflow.
#pragma once

#include <cassert>
#include <cfloat>
#include <cmath>
#include <cstdint>

// Every floating-point operation of a generator is one binary64 (or binary32)
// operation rounded to its own type: no wider intermediate precision, as the
// x87 unit would give.
static_assert(FLT_EVAL_METHOD == 0,
              "floating-point expressions must be evaluated in their own type (FLT_EVAL_METHOD 0)");
static_assert(DBL_MANT_DIG == 53 && FLT_MANT_DIG == 24,
              "double and float must be the IEEE binary64 and binary32 formats");

namespace tamboril::generators {

constexpr std::int32_t wrap(std::uint32_t bits) { return static_cast<std::int32_t>(bits); }
constexpr std::int32_t wrap_add(std::int32_t a, std::int32_t b) {
    return wrap(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
constexpr std::int32_t wrap_sub(std::int32_t a, std::int32_t b) {
    return wrap(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
constexpr std::int32_t wrap_mul(std::int32_t a, std::int32_t b) {
    return wrap(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}
constexpr std::int32_t wrap_neg(std::int32_t a) { return wrap(0u - static_cast<std::uint32_t>(a)); }
// Shift left by `places` (0 to 31) keeping 32 bits (bits shifted out are lost).
constexpr std::int32_t wrap_shl(std::int32_t a, int places) {
    assert(places >= 0 && places < 32);
    return wrap(static_cast<std::uint32_t>(a) << places);
}
// Absolute value; -2147483648 stays itself, as in 32-bit hardware.
constexpr std::int32_t wrap_abs(std::int32_t a) { return a < 0 ? wrap_neg(a) : a; }

// The non-negative low `bits` bits of a 32-bit value (bits below 31): the
// value modulo 2^bits for any two's-complement pattern.
constexpr std::int32_t low_bits(std::int32_t value, int bits) {
    assert(bits >= 0 && bits < 31);
    return wrap(static_cast<std::uint32_t>(value) & ((std::uint32_t{1} << bits) - 1u));
}

// A double-precision value converted to a 32-bit integer: truncation toward
// zero, then the low 32 bits of the integer (0 for a NaN).
inline std::int32_t truncate_to_int32(double value) {
    if (value > -2147483649.0 && value < 2147483648.0) return static_cast<std::int32_t>(value);
    if (value > -9223372036854775808.0 && value < 9223372036854775808.0) {
        return wrap(static_cast<std::uint32_t>(static_cast<std::uint64_t>(static_cast<std::int64_t>(value))));
    }
    if (!std::isfinite(value)) return 0;
    // Beyond 64 bits the value is an integer; its low 32 bits are its
    // remainder modulo 2^32 (exact), taken as a non-negative residue.
    double low = std::fmod(value, 4294967296.0);
    if (low < 0.0) low += 4294967296.0;
    return wrap(static_cast<std::uint32_t>(low));
}

// fmod(a, b) for a positive integer b below 2^53. For an integer-valued a
// above 0 and below 2^63 the remainder is computed on integers, which gives the
// same exact value much faster; anything else goes to std::fmod.
template <std::uint64_t b>
inline double exact_remainder(double a) {
    static_assert(b > 0 && b < (std::uint64_t{1} << 53));
    if (a > 0.0 && a < 9223372036854775808.0) {
        const auto whole = static_cast<std::uint64_t>(a);
        if (static_cast<double>(whole) == a) return static_cast<double>(whole % b);
    }
    return std::fmod(a, static_cast<double>(b));
}

}  // namespace tamboril::generators
