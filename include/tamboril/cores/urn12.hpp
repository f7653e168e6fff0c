// URN12: IX <- (L IX + C2) mod ZZ2, the product L IX wrapped to 32 bits and
// the rest in double precision; a remainder of 0 or less gets ZZ2 added.
#pragma once

#include <cmath>
#include <cstdint>
#include <span>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {

struct Urn12Core {
    std::int32_t ix = 0;
    std::int32_t l = 0;
    double c2 = 0.0;
    double zz2 = 0.0;

    static Urn12Core start() {
        Urn12Core core;
        core.initialise();
        return core;
    }

    void initialise() {
        ix = 1;
        l = 452807053;
        c2 = 0.0;
        zz2 = 2147483648.0;
    }

    void fill(std::span<float> out) {
        for (float& sample : out) {
            double x = static_cast<double>(wrap_mul(l, ix)) + c2;
            x = std::fmod(x, zz2);
            if (x <= 0.0) x = zz2 + x;
            ix = truncate_to_int32(x);
            sample = static_cast<float>(x / zz2);
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

    friend bool operator==(const Urn12Core&, const Urn12Core&) = default;
};

}  // namespace tamboril::generators
