// URN01: X <- fmod(16807 X, 2^31 - 1) in double precision, sample X / (2^31 - 1).
#pragma once

#include <cmath>
#include <cstdint>
#include <span>

#include "tests/reference/protocol.hpp"

namespace tamboril::reference {

struct Urn01 {
    std::int32_t IX = 0;

    void start() { IX = seed_routine("URN01   "); }

    void call(std::span<float> out) {
        double x = IX;
        for (float& sample : out) {
            x = std::fmod(x * 16807.0, 2147483647.0);
            sample = static_cast<float>(x / 2147483647.0);
        }
        IX = static_cast<std::int32_t>(x);
    }
};

}  // namespace tamboril::reference
