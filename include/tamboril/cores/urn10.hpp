// URN10: 125 X mod 8192, as three multiplications by 5.
#pragma once

#include <cstdint>
#include <span>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {

struct Urn10Core {
    std::int32_t ix = 0;

    // IX from the seed routine, which gives URN10 the value 1.
    static Urn10Core start() { return {1}; }

    void fill(std::span<float> out) {
        for (float& sample : out) {
            std::int32_t t = ix;
            // States stay in 0 to 8191, so 5 t never overflows.
            for (int k = 0; k < 3; ++k) t = 5 * t % 8192;
            sample = static_cast<float>(t) / 8192.0f;
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

    friend bool operator==(const Urn10Core&, const Urn10Core&) = default;
};

}  // namespace tamboril::generators
