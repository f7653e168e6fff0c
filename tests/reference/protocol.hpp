// Plain formulations of the generators, written step by step from the
// generators' own definitions and kept apart from the program's cores: the
// long-stream tests compare the program with these, value by value.
//
// This header holds what they share: the calling protocol of a run (the first
// call initialises, every call generates, later calls continue), the seed
// routine and the 32-bit steps that several generators write out by hand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::reference {

using generators::wrap_abs;
using generators::wrap_add;
using generators::wrap_mul;
using generators::wrap_shl;
using generators::wrap_sub;

inline constexpr std::int32_t kSignBit = INT32_MIN;  // 2^31 as a 32-bit pattern

// The seed routine: IX = 1 for the name "URN10   ", 524287 for any other. The
// comparison pads the shorter operand with blanks.
inline std::int32_t seed_routine(std::string_view name) {
    constexpr std::string_view urn10 = "URN10   ";
    const std::size_t length = name.size() > urn10.size() ? name.size() : urn10.size();
    for (std::size_t i = 0; i < length; ++i) {
        const char a = i < name.size() ? name[i] : ' ';
        const char b = i < urn10.size() ? urn10[i] : ' ';
        if (a != b) return 524287;
    }
    return 1;
}

// v mod 2^k by shifting: shift left by 31 - k in 32 bits, clear bit 31 of a
// negative result by subtracting 2^31, divide by 2^(31 - k).
constexpr std::int32_t mod_by_shifting(std::int32_t v, int k) {
    std::int32_t shifted = wrap_shl(v, 31 - k);
    if (shifted < 0) shifted = wrap_sub(shifted, kSignBit);
    return shifted / (std::int32_t{1} << (31 - k));
}

// A × Z mod (2^31 - 1) by the 16/15-bit decomposition, for a multiplier A
// below 32768 and a state Z from 1 to 2^31 - 2; no step leaves 32 bits.
constexpr std::int32_t decomposed_product(std::int32_t z, std::int32_t a) {
    constexpr std::int32_t p = 2147483647;
    const std::int32_t h = z / 65536;
    const std::int32_t t = (z - h * 65536) * a;
    const std::int32_t u = t / 65536;
    const std::int32_t f = a * h + u;
    const std::int32_t q = f / 32768;
    std::int32_t result = ((t - u * 65536) - p) + (f - q * 32768) * 65536 + q;
    if (result < 0) result += p;
    return result;
}

// A double-precision state converted to a 32-bit integer: truncation toward
// zero to a 64-bit integer, then its low 32 bits (|x| below 2^63).
inline std::int32_t truncate_to_32_bits(double x) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int64_t>(x)));
}

// A generator in a run: `start()` is its first-call initialisation, `call(out)`
// one generation of out.size() values. The first call initialises, then
// generates; every later call only generates, from the state left before.
template <class Formulation>
class Run {
public:
    void sequence(std::span<float> out) {
        if (first_call_) generator_.start();
        generator_.call(out);
        first_call_ = false;
    }
    const Formulation& generator() const { return generator_; }

private:
    Formulation generator_{};
    bool first_call_ = true;
};

// One call of a generator that keeps all its state between calls: one step per
// value, in order.
template <class Formulation>
void call_by_steps(Formulation& generator, std::span<float> out) {
    for (float& sample : out) sample = generator.step();
}

}  // namespace tamboril::reference
