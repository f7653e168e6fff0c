// URN20: X <- fmod(2027812808 X, 2^31 - 1) with the product rounded to double
// before the remainder; sample X / (2^31 - 1).
#pragma once

#include <cmath>
#include <cstdint>
#include <span>

#include "tests/reference/protocol.hpp"

namespace tamboril::reference {

struct Urn20 {
    std::int32_t IX = 0;

    void start() { IX = seed_routine("URN20   "); }

    void call(std::span<float> out) {
        double x = IX;
        for (float& sample : out) {
            const double p = x * 2027812808.0;
            x = std::fmod(p, 2147483647.0);
            sample = static_cast<float>(x / 2147483647.0);
        }
        IX = static_cast<std::int32_t>(x);
    }
};

}  // namespace tamboril::reference
