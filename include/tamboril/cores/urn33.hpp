// URN33: two multiply-and-reduce stages in floating point, every state held
// in single precision, so that the rounding of each stored remainder is part
// of the recurrence.
#pragma once

#include <cmath>
#include <span>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {

struct Urn33Core {
    // The moduli as single-precision values hold them: 100000008 and
    // 100000040 (bit patterns 0x4CBEBC21 and 0x4CBEBC25).
    static constexpr double kFirstModulus = 100000008.0;
    static constexpr double kSecondModulus = 100000040.0;

    float xi = 0.0f;

    static Urn33Core start() { return {12345678.0f}; }

    float step() {
        // Both products are exact in double precision (below 2^41 with at
        // most 38 significant bits); fmod is exact as well.
        const double p = static_cast<double>(xi) * 11257.0;
        const float t1 = static_cast<float>(exact_remainder<100000008>(p));
        const double q = static_cast<double>(t1) * 12553.0;
        xi = static_cast<float>(exact_remainder<100000040>(q));
        return xi;
    }

    void fill(std::span<float> out) {
        for (float& sample : out) sample = static_cast<float>(static_cast<double>(step()) / kSecondModulus);
    }

    // One call with N = out.size().
    void sequence(std::span<float> out) { fill(out); }

    // One value of the stream.
    float operator()() {
        float sample;
        fill(std::span<float>(&sample, 1));
        return sample;
    }

    friend bool operator==(const Urn33Core&, const Urn33Core&) = default;
};

static_assert(static_cast<float>(Urn33Core::kFirstModulus) == 100000007.0f);
static_assert(static_cast<float>(Urn33Core::kSecondModulus) == 100000039.0f);

}  // namespace tamboril::generators
