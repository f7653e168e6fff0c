// URN13: X <- 663608941 X mod 2^32, with X and the multiplier split into a
// high part and a 15-bit low part so that the partial products can be reduced
// by shifting in 32-bit signed arithmetic.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {

struct Urn13Core {
    static constexpr std::int32_t kSeed = 524287;
    static constexpr std::int32_t kMultiplier = 663608941;

    // INTIN(1) to INTIN(5): the seed, XH, XL, AH, AL.
    std::array<std::int32_t, 5> intin{};

    static Urn13Core start() {
        Urn13Core core;
        core.initialise();
        return core;
    }

    void initialise() {
        intin[0] = kSeed;
        intin[1] = intin[0] / 32768;
        intin[2] = low_bits(intin[0], 15);
        intin[3] = kMultiplier / 32768;
        intin[4] = low_bits(kMultiplier, 15);
    }

    void fill(std::span<float> out) {
        const std::int32_t ah = intin[3];
        const std::int32_t al = intin[4];
        std::int32_t xh = intin[1];
        std::int32_t xl = intin[2];
        for (float& sample : out) {
            // XH AL may wrap; only its low 17 bits count.
            const std::int32_t p1 = low_bits(wrap_add(wrap_mul(ah, xl), wrap_mul(xh, al)), 17);
            const std::int32_t p2 = low_bits(wrap_mul(ah, xh), 2);
            const std::int32_t low_product = xl * al;  // both below 2^15
            const std::int32_t p3 = low_product / 32768;
            xh = low_bits(wrap_add(wrap_add(wrap_mul(p2, 32768), p3), p1), 17);
            xl = low_bits(low_product, 15);
            const std::int32_t top = xh / 4;
            sample = static_cast<float>(top) / 32768.0f;
        }
        intin[1] = xh;
        intin[2] = xl;
    }

    // One call with N = out.size().
    void sequence(std::span<float> out) { fill(out); }

    // One value of the stream.
    float operator()() {
        float sample;
        fill(std::span<float>(&sample, 1));
        return sample;
    }

    friend bool operator==(const Urn13Core&, const Urn13Core&) = default;
};

}  // namespace tamboril::generators
