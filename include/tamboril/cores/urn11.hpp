// URN11: IX <- |(L IX + C) rem ZZ|, the product L IX wrapped to 32 bits and
// the rest in floating point, with C and ZZ in single precision.
#pragma once

#include <cmath>
#include <cstdint>
#include <span>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {

struct Urn11Core {
    std::int32_t ix = 0;
    std::int32_t l = 0;
    float c = 0.0f;
    float zz = 0.0f;

    static Urn11Core start() {
        Urn11Core core;
        core.initialise();
        return core;
    }

    void initialise() {
        ix = 1;
        l = 452807053;
        c = 0.0f;
        zz = 2147483648.0f;
    }

    void fill(std::span<float> out) {
        const double modulus = zz;
        for (float& sample : out) {
            double x = static_cast<double>(wrap_mul(l, ix)) + static_cast<double>(c);
            x = std::fabs(std::fmod(x, modulus));
            ix = truncate_to_int32(x);
            // The remainder is rounded to single precision before the division.
            const float s = static_cast<float>(x);
            sample = static_cast<float>(static_cast<double>(s) / modulus);
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

    friend bool operator==(const Urn11Core&, const Urn11Core&) = default;
};

}  // namespace tamboril::generators
