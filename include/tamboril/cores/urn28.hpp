// URN28: IX <- 16807 IX mod (2^31 - 1), the product formed by splitting into
// 16-bit and 15-bit pieces so that it never leaves 32-bit signed arithmetic.
#pragma once

#include <cstdint>
#include <span>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {

inline constexpr std::int32_t kPrimeModulus = 2147483647;  // 2^31 - 1

// a z mod (2^31 - 1) for z in 0 to 2^31 - 2 and a in 0 to 32767. Every
// intermediate stays within 32-bit signed range.
constexpr std::int32_t decomposed_mod_product(std::int32_t a, std::int32_t z) {
    const std::int32_t h = z / 65536;             // high 15 bits of z
    const std::int32_t t = (z - h * 65536) * a;   // low 16 bits of z, times a
    const std::int32_t u = t / 65536;
    const std::int32_t f = a * h + u;
    const std::int32_t q = f / 32768;
    std::int32_t r = ((t - u * 65536) - kPrimeModulus) + (f - q * 32768) * 65536 + q;
    if (r < 0) r += kPrimeModulus;
    return r;
}

struct Urn28Core {
    static constexpr std::int32_t kMultiplier = 16807;

    std::int32_t ix = 0;

    static Urn28Core start() {
        Urn28Core core;
        core.initialise();
        return core;
    }

    void initialise() { ix = 1; }

    void fill(std::span<float> out) {
        std::int32_t x = ix;
        for (float& sample : out) {
            x = decomposed_mod_product(kMultiplier, x);
            sample = static_cast<float>(static_cast<double>(x) * 0x1p-31);
        }
        ix = x;
    }

    // One call with N = out.size().
    void sequence(std::span<float> out) { fill(out); }

    // One value of the stream.
    float operator()() {
        float sample;
        fill(std::span<float>(&sample, 1));
        return sample;
    }

    friend bool operator==(const Urn28Core&, const Urn28Core&) = default;
};

}  // namespace tamboril::generators
