// URN28: IX <- 16807 IX mod (2^31 - 1) by the 16/15-bit decomposition; sample
// IX times 2^-31.
#pragma once

#include <cstdint>
#include <span>

#include "tests/reference/protocol.hpp"

namespace tamboril::reference {

struct Urn28 {
    std::int32_t IX = 0;

    void start() { IX = 1; }

    void call(std::span<float> out) {
        std::int32_t x = IX;
        for (float& sample : out) {
            x = decomposed_product(x, 16807);
            sample = static_cast<float>(static_cast<double>(x) * 0x1p-31);
        }
        IX = x;
    }
};

}  // namespace tamboril::reference
