// URN01: 16807 X mod (2^31 - 1) in double precision.
#pragma once

#include <cmath>
#include <cstdint>
#include <span>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {

struct Urn01Core {
    std::int32_t ix = 0;

    // IX from the seed routine, as every run starts.
    static Urn01Core start() { return {524287}; }

    // Fills `out` and leaves in `ix` the state after the last value.
    void fill(std::span<float> out) {
        if (out.empty()) return;
        // X * 16807 is below 2^46, so the double product and its fmod by
        // 2147483647 are exact: for X >= 0 the integer remainder is the same
        // value, without the slow library remainder.
        if (ix < 0) {
            // Never reached from the seed: the literal recurrence (its
            // remainders keep the sign of X, and zero stays negative).
            double x = ix;
            for (float& sample : out) {
                x = std::fmod(x * 16807.0, 2147483647.0);
                sample = static_cast<float>(x / 2147483647.0);
            }
            ix = static_cast<std::int32_t>(x);
            return;
        }
        // 2^31 = 1 modulo 2^31 - 1: fold the high bits onto the low ones.
        auto x = static_cast<std::uint64_t>(ix);
        for (float& sample : out) {
            const std::uint64_t p = x * 16807;
            x = (p & 0x7FFFFFFFu) + (p >> 31);
            if (x >= 2147483647u) x -= 2147483647u;
            sample = static_cast<float>(static_cast<double>(x) / 2147483647.0);
        }
        ix = static_cast<std::int32_t>(x);
    }

    // One call with N = out.size().
    void sequence(std::span<float> out) { fill(out); }

    // One value of the stream.
    float operator()() {
        float sample;
        fill(std::span<float>(&sample, 1));
        return sample;
    }

    friend bool operator==(const Urn01Core&, const Urn01Core&) = default;
};

}  // namespace tamboril::generators
