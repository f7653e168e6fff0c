// URN03: 65539 X mod 2^31 in 32-bit integers, the sign bit cleared after
// each wrapped product, starting from 1.
#pragma once

#include <cstdint>
#include <limits>
#include <span>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {

struct Urn03Core {
    std::int32_t ix = 0;
    std::int32_t jx = 0;  // printed beside IX, never assigned here

    static Urn03Core start() { return {1, 0}; }  // the unit seed

    void fill(std::span<float> out) {
        std::int32_t s = ix;
        for (float& sample : out) {
            std::int32_t t = wrap_mul(s, 65539);
            // Subtracting 2^31 from a negative product clears its sign bit.
            if (t < 0) t = wrap_sub(t, std::numeric_limits<std::int32_t>::min());
            s = t;
            sample = static_cast<float>(static_cast<double>(t) * 0x1p-31);
        }
        ix = s;
    }

    // One call with N = out.size().
    void sequence(std::span<float> out) { fill(out); }

    // One value of the stream.
    float operator()() {
        float sample;
        fill(std::span<float>(&sample, 1));
        return sample;
    }

    friend bool operator==(const Urn03Core&, const Urn03Core&) = default;
};

}  // namespace tamboril::generators
