// URN35: three multiplicative components near 2^15, their sum reduced
// modulo 32362.
#pragma once

#include <cstdint>
#include <span>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {

struct Urn35Core {
    std::int32_t kw = 0;
    std::int32_t ky = 0;
    std::int32_t kz = 0;
    float xr = 0.0f;  // the last sample; printed, never read by the steps

    static Urn35Core start() {
        Urn35Core core;
        core.initialise();
        return core;
    }

    void initialise() {
        kw = ky = kz = 1;
        xr = 0.0f;
    }

    // Products stay below 2^23 and the sum below 2^17: no overflow.
    float next() {
        kw = 157 * kw % 32363;
        ky = 146 * ky % 31727;
        kz = 142 * kz % 31657;
        const std::int32_t s = (kz + ky + kw - 3) % 32362;
        xr = static_cast<float>((static_cast<double>(s) + 1.0) / 32363.0);
        return xr;
    }

    void fill(std::span<float> out) {
        for (float& sample : out) sample = next();
    }

    // One call with N = out.size().
    void sequence(std::span<float> out) { fill(out); }

    // One value of the stream.
    float operator()() { return next(); }

    friend bool operator==(const Urn35Core&, const Urn35Core&) = default;
};

}  // namespace tamboril::generators
