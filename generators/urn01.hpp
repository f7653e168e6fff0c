// URN01: 16807 X mod (2^31 - 1) in double precision.
#pragma once

#include <cmath>
#include <cstdint>
#include <span>

namespace tamboril::generators {

struct Urn01Core {
    std::int32_t ix = 0;

    // Fills `out` and leaves in `ix` the state after the last value.
    void fill(std::span<float> out) {
        double x = ix;
        for (float& sample : out) {
            // The product is below 2^46, so it and the remainder are exact.
            x = std::fmod(x * 16807.0, 2147483647.0);
            sample = static_cast<float>(x / 2147483647.0);
        }
        if (!out.empty()) ix = static_cast<std::int32_t>(x);
    }
};

}  // namespace tamboril::generators
