// URN11: IX <- |(L IX + C) rem ZZ| with the product wrapping in 32 bits and the
// rest in double precision; C and ZZ are single precision, the sample is the
// remainder rounded to single precision, divided by ZZ.
#pragma once

#include <cmath>
#include <cstdint>
#include <span>

#include "tests/reference/protocol.hpp"

namespace tamboril::reference {

struct Urn11 {
    std::int32_t IX = 0;
    std::int32_t L = 0;
    float C = 0.0f;
    float ZZ = 0.0f;

    void start() {
        IX = 1;
        L = 452807053;
        C = 0.0f;
        ZZ = 2147483648.0f;
    }

    float step() {
        const std::int32_t p = wrap_mul(L, IX);
        double x = static_cast<double>(p) + static_cast<double>(C);
        x = std::fmod(x, static_cast<double>(ZZ));
        x = std::fabs(x);
        IX = truncate_to_32_bits(x);
        const float s = static_cast<float>(x);
        return static_cast<float>(static_cast<double>(s) / static_cast<double>(ZZ));
    }

    void call(std::span<float> out) { call_by_steps(*this, out); }
};

}  // namespace tamboril::reference
