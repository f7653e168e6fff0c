// URN39: SEED <- frac(sin(k) (SEED + k) + SEED) for the k-th value of the run;
// the sine enters the product with a 64-bit significand (long double) and only
// the product is rounded to double. Sample SEED in single precision.
#pragma once

#include <cmath>
#include <cstdint>
#include <span>

#include "tests/reference/protocol.hpp"

namespace tamboril::reference {

struct Urn39 {
    double SEED = 0.0;
    std::int32_t ITOTAL39 = 0;

    void start() {
        SEED = 2.0 / (std::sqrt(5.0) + 1.0);
        ITOTAL39 = 0;
    }

    void call(std::span<float> out) {
        std::int32_t i = 0;
        for (float& sample : out) {
            ++i;
            const double k = static_cast<double>(ITOTAL39 + i);
            const long double s = sinl(static_cast<long double>(k));
            const double t = SEED + k;
            const double p = static_cast<double>(s * static_cast<long double>(t));
            const double x = p + SEED;
            double f = x - static_cast<double>(static_cast<std::int32_t>(x));
            if (f < 0.0) f = f + 1.0;
            SEED = f;
            sample = static_cast<float>(SEED);
        }
        ITOTAL39 = ITOTAL39 + static_cast<std::int32_t>(out.size());
    }
};

}  // namespace tamboril::reference
