// URN12: IX <- (L IX + C2) mod ZZ2 with the product wrapping in 32 bits and the
// rest in double precision, a remainder not above 0 raised by ZZ2; sample the
// double-precision remainder divided by ZZ2.
#pragma once

#include <cmath>
#include <cstdint>
#include <span>

#include "tests/reference/protocol.hpp"

namespace tamboril::reference {

struct Urn12 {
    std::int32_t IX = 0;
    std::int32_t L = 0;
    double C2 = 0.0;
    double ZZ2 = 0.0;

    void start() {
        IX = 1;
        L = 452807053;
        C2 = 0.0;
        ZZ2 = 2147483648.0;
    }

    float step() {
        const std::int32_t p = wrap_mul(L, IX);
        double x = static_cast<double>(p) + C2;
        x = std::fmod(x, ZZ2);
        if (x <= 0.0) x = ZZ2 + x;
        IX = truncate_to_32_bits(x);
        return static_cast<float>(x / ZZ2);
    }

    void call(std::span<float> out) { call_by_steps(*this, out); }
};

}  // namespace tamboril::reference
