// URN03: IX <- 65539 IX mod 2^31 from the unit seed 1, the product wrapping in
// 32 bits and its sign bit cleared; sample IX times 2^-31.
#pragma once

#include <cstdint>
#include <span>

#include "tests/reference/protocol.hpp"

namespace tamboril::reference {

struct Urn03 {
    std::int32_t IX = 0;
    std::int32_t JX = 0;  // printed only, never assigned

    void start() { IX = 1; }  // the unit seed routine

    void call(std::span<float> out) {
        std::int32_t s = IX;
        for (float& sample : out) {
            std::int32_t t = wrap_mul(s, 65539);
            if (t < 0) t = wrap_sub(t, kSignBit);
            s = t;
            sample = static_cast<float>(static_cast<double>(t) * 0x1p-31);
        }
        IX = s;
    }
};

}  // namespace tamboril::reference
