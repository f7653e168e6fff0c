// URN31 and URN32: A X mod 2^k in 32-bit arithmetic whose wrapped product is
// part of the recurrence, reduced by a signed remainder whose sign is dropped.
#pragma once

#include <cstdint>
#include <span>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {

struct PowerOfTwoConstants {
    std::int32_t modulus;     // 2^k
    std::int32_t multiplier;
    int shift;                // 31 minus the bits of modulus - 1

    friend bool operator==(const PowerOfTwoConstants&, const PowerOfTwoConstants&) = default;
};

inline constexpr PowerOfTwoConstants kUrn31Constants{16777216, 2456949, 7};
inline constexpr PowerOfTwoConstants kUrn32Constants{33554432, 3513383, 6};

struct Urn31Urn32Core {
    PowerOfTwoConstants constants;
    std::int32_t ixx = 0;

    // One step; the new IXX is |P rem M| for the wrapped product P.
    std::int32_t step() {
        const std::int32_t p = wrap_mul(ixx, constants.multiplier);
        std::int32_t t = p % constants.modulus;  // sign of p, |t| < modulus
        // A negative remainder loses its sign bit; the shift pair below
        // brings back the bits above the modulus as sign bits, so that the
        // quotient is the remainder itself.
        if (t < 0) t = wrap_sub(t, INT32_MIN);
        const std::int32_t u = wrap_shl(t, constants.shift);
        ixx = wrap_abs(u / (std::int32_t{1} << constants.shift));
        return ixx;
    }

    void fill(std::span<float> out) {
        const double modulus = constants.modulus;
        for (float& sample : out) sample = static_cast<float>(static_cast<double>(step()) / modulus);
    }

    // One call with N = out.size().
    void sequence(std::span<float> out) { fill(out); }

    // One value of the stream.
    float operator()() {
        float sample;
        fill(std::span<float>(&sample, 1));
        return sample;
    }

    friend bool operator==(const Urn31Urn32Core&, const Urn31Urn32Core&) = default;
};

// The two generators as types of their own, each with its starting state.
struct Urn31Core : Urn31Urn32Core {
    static Urn31Core start() { return {{kUrn31Constants, 1234567}}; }
    friend bool operator==(const Urn31Core&, const Urn31Core&) = default;
};

struct Urn32Core : Urn31Urn32Core {
    static Urn32Core start() { return {{kUrn32Constants, 1234567}}; }
    friend bool operator==(const Urn32Core&, const Urn32Core&) = default;
};

}  // namespace tamboril::generators
