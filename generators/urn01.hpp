// URN01: 16807 X mod (2^31 - 1) in double precision.
#pragma once

#include <cstdint>
#include <span>

namespace tamboril::generators {

struct Urn01Core {
    std::int32_t ix = 0;

    // Fills `out` and leaves in `ix` the state after the last value.
    void fill(std::span<float> out) {
        // X * 16807 is below 2^46, so the double product and its fmod by
        // 2147483647 are exact: the integer remainder (truncated, like fmod)
        // is the same value, without the slow library remainder.
        std::int64_t x = ix;
        for (float& sample : out) {
            x = x * 16807 % 2147483647;
            sample = static_cast<float>(static_cast<double>(x) / 2147483647.0);
        }
        if (!out.empty()) ix = static_cast<std::int32_t>(x);
    }
};

}  // namespace tamboril::generators
