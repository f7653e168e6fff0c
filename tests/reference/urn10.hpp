// URN10: three multiplications by 5 modulo 8192 per value, sample T / 8192.
#pragma once

#include <cstdint>
#include <span>

#include "tests/reference/protocol.hpp"

namespace tamboril::reference {

struct Urn10 {
    std::int32_t IX = 0;

    void start() { IX = seed_routine("URN10   "); }

    float step() {
        std::int32_t t = IX;
        for (int k = 0; k < 3; ++k) t = wrap_mul(5, t) % 8192;
        IX = t;
        return static_cast<float>(static_cast<double>(t) / 8192.0);
    }

    void call(std::span<float> out) { call_by_steps(*this, out); }
};

}  // namespace tamboril::reference
