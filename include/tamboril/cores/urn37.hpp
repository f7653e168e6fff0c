// URN37: 5^13 X mod 2^31, one wrapping multiplication and the sign bit
// cleared.
#pragma once

#include <cstdint>
#include <span>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {

struct Urn37Core {
    std::int32_t intin1 = 0;  // INTIN(1)

    static Urn37Core start() { return {32767}; }

    float next() {
        std::int32_t x = wrap_mul(intin1, 1220703125);
        if (x < 0) x = wrap_sub(x, INT32_MIN);
        intin1 = x;
        // x 2^-31 is exact in double precision; rounded once to single.
        return static_cast<float>(static_cast<double>(x) * 0x1p-31);
    }

    void fill(std::span<float> out) {
        for (float& sample : out) sample = next();
    }

    // One call with N = out.size().
    void sequence(std::span<float> out) { fill(out); }

    // One value of the stream.
    float operator()() { return next(); }

    friend bool operator==(const Urn37Core&, const Urn37Core&) = default;
};

}  // namespace tamboril::generators
