// 32-bit two's-complement arithmetic that wraps, without signed overflow.
#pragma once

#include <cmath>
#include <cstdint>

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
// Shift left by `places` keeping 32 bits (bits shifted out are lost).
constexpr std::int32_t wrap_shl(std::int32_t a, int places) {
    return wrap(static_cast<std::uint32_t>(a) << places);
}
// Absolute value; -2147483648 stays itself, as in 32-bit hardware.
constexpr std::int32_t wrap_abs(std::int32_t a) { return a < 0 ? wrap_neg(a) : a; }

// The non-negative low `bits` bits of a 32-bit value (bits below 31): the
// value modulo 2^bits for any two's-complement pattern.
constexpr std::int32_t low_bits(std::int32_t value, int bits) {
    return wrap(static_cast<std::uint32_t>(value) & ((std::uint32_t{1} << bits) - 1u));
}

// A double-precision value converted to a 32-bit integer: truncation toward
// zero to 64 bits, then the low 32 bits.
inline std::int32_t truncate_to_int32(double value) {
    const double t = std::trunc(value);
    if (!(t > -9223372036854775808.0 && t < 9223372036854775808.0)) return 0;
    return wrap(static_cast<std::uint32_t>(static_cast<std::uint64_t>(static_cast<std::int64_t>(t))));
}

}  // namespace tamboril::generators
