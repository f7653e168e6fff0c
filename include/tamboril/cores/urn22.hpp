// URN22: M1 <- (69069 M1 + 1) mod 2^32 in double precision, where every
// intermediate is an exact integer; samples scaled by a constant just below
// 2^-32.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <span>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {

struct Urn22Core {
    static constexpr double kMultiplier = 69069.0;
    static constexpr double kModulus = 4294967296.0;
    // The double nearest 2.3283064e-10.
    static constexpr double kScale = std::bit_cast<double>(std::uint64_t{0x3DEFFFFFF79322D5});

    double m1 = 0.0;

    static Urn22Core start() {
        Urn22Core core;
        core.initialise();
        return core;
    }

    void initialise() { m1 = 32007779.0; }

    // Each scaled value is rounded into its sample at once, so no work array
    // is needed and any count of samples can be produced.
    void fill(std::span<float> out) {
        for (float& sample : out) {
            double x = m1 * kMultiplier + 1.0;  // below 2^49: exact
            x = exact_remainder<4294967296>(x);
            const double scaled = x * kScale;
            m1 = x;
            sample = static_cast<float>(scaled);
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

    friend bool operator==(const Urn22Core&, const Urn22Core&) = default;
};

}  // namespace tamboril::generators
