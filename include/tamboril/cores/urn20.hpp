// URN20: 2027812808 X mod (2^31 - 1) in double precision. The product is
// rounded to double before the remainder, so the stream is that of the
// floating-point computation, not of the exact integer recurrence.
#pragma once

#include <cmath>
#include <cstdint>
#include <span>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {

struct Urn20Core {
    std::int32_t ix = 0;

    // IX from the seed routine.
    static Urn20Core start() { return {524287}; }

    void fill(std::span<float> out) {
        double x = ix;
        for (float& sample : out) {
            const double p = x * 2027812808.0;  // up to about 2^62: rounded
            x = exact_remainder<2147483647>(p);  // exact remainder of the rounded product
            sample = static_cast<float>(x / 2147483647.0);
        }
        // x is an integer value from 0 to 2147483646.
        if (!out.empty()) ix = static_cast<std::int32_t>(x);
    }

    // One call with N = out.size().
    void sequence(std::span<float> out) { fill(out); }

    // One value of the stream.
    float operator()() {
        float sample;
        fill(std::span<float>(&sample, 1));
        return sample;
    }

    friend bool operator==(const Urn20Core&, const Urn20Core&) = default;
};

}  // namespace tamboril::generators
