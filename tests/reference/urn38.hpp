// URN38: x <- 1220703125 x mod 2^15 as products by 15625, 15625 and 5, each
// reduced to 15 bits by shifting; sample x / 32768.
#pragma once

#include <cstdint>
#include <span>

#include "tests/reference/protocol.hpp"

namespace tamboril::reference {

struct Urn38 {
    std::int32_t INTIN1 = 0;  // INTIN(1)

    void start() { INTIN1 = 32767; }

    float step() {
        std::int32_t x = INTIN1;
        x = mod_by_shifting(15625 * x, 15);
        x = mod_by_shifting(15625 * x, 15);
        x = mod_by_shifting(5 * x, 15);
        INTIN1 = x;
        return static_cast<float>(static_cast<double>(x) / 32768.0);
    }

    void call(std::span<float> out) { call_by_steps(*this, out); }
};

}  // namespace tamboril::reference
