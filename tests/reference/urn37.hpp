// URN37: x <- 1220703125 x mod 2^31 by one wrapping product with the sign bit
// cleared; sample x times 2^-31.
#pragma once

#include <cstdint>
#include <span>

#include "tests/reference/protocol.hpp"

namespace tamboril::reference {

struct Urn37 {
    std::int32_t INTIN1 = 0;  // INTIN(1)

    void start() { INTIN1 = 32767; }

    float step() {
        std::int32_t x = wrap_mul(INTIN1, 1220703125);
        if (x < 0) x = wrap_sub(x, kSignBit);
        INTIN1 = x;
        return static_cast<float>(static_cast<double>(x) * 0x1p-31);
    }

    void call(std::span<float> out) { call_by_steps(*this, out); }
};

}  // namespace tamboril::reference
