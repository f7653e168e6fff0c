// URN06: the sum of two wrapped multiplicative sequences (65539 and 262147),
// scaled by 2^-31 after taking its absolute value.
#pragma once

#include <cstdint>
#include <span>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {

struct Urn06Core {
    std::int32_t ix = 0;  // the raw wrapped product: may be negative
    std::int32_t jx = 0;  // never seeded, so it stays 0

    // IX from the unit seed routine (1), JX 0.
    static Urn06Core start() { return {1, 0}; }

    void fill(std::span<float> out) {
        for (float& sample : out) {
            ix = wrap_mul(ix, 65539);
            jx = wrap_mul(jx, 262147);
            // IX stays odd and JX 0, so the sum is never -2^31.
            const std::int32_t s = wrap_abs(wrap_add(jx, ix));
            sample = static_cast<float>(static_cast<double>(s) * 0x1p-31);
        }
    }

    // One call with N = out.size().
    void sequence(std::span<float> out) { fill(out); }

    // One value of the stream.
    float operator()() {
        float sample;
        fill(std::span<float>(&sample, 1));
        return sample;
    }

    friend bool operator==(const Urn06Core&, const Urn06Core&) = default;
};

}  // namespace tamboril::generators
