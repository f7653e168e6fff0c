// URN08: 65539 X mod 2^31 in wrapped 32-bit integers; the sign bit of a
// negative product is removed by subtracting 80000000 (hexadecimal).
#pragma once

#include <cstdint>
#include <limits>
#include <span>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {

struct Urn08Core {
    std::int32_t ix = 0;

    // IX = 7FFFF (hexadecimal).
    static Urn08Core start() { return {0x7FFFF}; }

    void fill(std::span<float> out) {
        for (float& sample : out) {
            // The product overflows from the first step on: the wrap is part
            // of the recurrence.
            std::int32_t t = wrap_mul(ix, 65539);
            if (t < 0) t = wrap_sub(t, std::numeric_limits<std::int32_t>::min());
            // Converted to single precision first, then scaled in place (exact).
            sample = static_cast<float>(t);
            sample *= 0x1p-31f;
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

    friend bool operator==(const Urn08Core&, const Urn08Core&) = default;
};

}  // namespace tamboril::generators
