// URN09: the stream of URN08 coded otherwise: a negative wrapped product is
// brought into range by adding 2147483647 and then 1, and the state is scaled
// exactly before the one rounding to single precision.
#pragma once

#include <cstdint>
#include <span>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {

struct Urn09Core {
    std::int32_t ix = 0;

    // IX from the seed routine.
    static Urn09Core start() { return {524287}; }

    void fill(std::span<float> out) {
        for (float& sample : out) {
            std::int32_t t = wrap_mul(ix, 65539);
            if (t < 0) t = wrap_add(wrap_add(t, 2147483647), 1);
            sample = static_cast<float>(static_cast<double>(t) * 0x1p-31);
            ix = t;
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

    friend bool operator==(const Urn09Core&, const Urn09Core&) = default;
};

}  // namespace tamboril::generators
