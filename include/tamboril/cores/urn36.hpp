// URN36: 5^13 X mod 2^35 in 32-bit arithmetic, with the state and the
// multiplier each held as a high part and a 15-bit low part.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {

struct Urn36Core {
    static constexpr std::int32_t kSeed = 32767;
    static constexpr std::int32_t kMultiplier = 1220703125;  // 5^13

    // INTIN(1) to INTIN(5): the seed, the high (20-bit) and low (15-bit) parts
    // of the state, the high and low parts of the multiplier.
    std::array<std::int32_t, 5> intin{};

    static Urn36Core start() {
        Urn36Core core;
        core.initialise();
        return core;
    }

    void initialise() {
        intin = {kSeed, kSeed >> 15, kSeed & 0x7FFF, kMultiplier >> 15, kMultiplier & 0x7FFF};
    }

    float next() {
        const std::int32_t xh = intin[1], xl = intin[2], ah = intin[3], al = intin[4];
        // Only low-order bits are kept, so the wrap-around of these products
        // never reaches a result.
        const std::int32_t e1 = low_bits(wrap_add(wrap_mul(xh, al), wrap_mul(xl, ah)), 20);
        const std::int32_t e2 = low_bits(wrap_mul(xh, ah), 5);
        const std::int32_t low_product = xl * al;  // below 2^30
        const std::int32_t e3 = low_product >> 15;
        intin[1] = low_bits(e2 * 32768 + e3 + e1, 20);
        intin[2] = low_bits(low_product, 15);
        // The top 15 bits of the 35-bit state over 2^15: exact.
        return static_cast<float>(intin[1] >> 5) / 32768.0f;
    }

    void fill(std::span<float> out) {
        for (float& sample : out) sample = next();
    }

    // One call with N = out.size().
    void sequence(std::span<float> out) { fill(out); }

    // One value of the stream.
    float operator()() { return next(); }

    friend bool operator==(const Urn36Core&, const Urn36Core&) = default;
};

}  // namespace tamboril::generators
