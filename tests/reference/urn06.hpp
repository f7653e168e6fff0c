// URN06: the sum of two wrapping multiplicative sequences, IX (multiplier
// 65539, from the unit seed 1) and JX (multiplier 262147, left at its
// program-start 0); sample |JX + IX| times 2^-31.
#pragma once

#include <cstdint>
#include <span>

#include "tests/reference/protocol.hpp"

namespace tamboril::reference {

struct Urn06 {
    std::int32_t IX = 0;
    std::int32_t JX = 0;

    void start() { IX = 1; }  // the unit seed routine; JX keeps its zero bits

    float step() {
        IX = wrap_mul(IX, 65539);
        JX = wrap_mul(JX, 262147);
        const std::int32_t s = wrap_abs(wrap_add(JX, IX));
        return static_cast<float>(static_cast<double>(s) * 0x1p-31);
    }

    void call(std::span<float> out) { call_by_steps(*this, out); }
};

}  // namespace tamboril::reference
