// URN13: X <- 663608941 X mod 2^32 with the state and the multiplier split into
// a high part and a 15-bit low part; sample the top 15 bits of X over 32768.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "tests/reference/protocol.hpp"

namespace tamboril::reference {

struct Urn13 {
    std::array<std::int32_t, 6> INTIN{};  // INTIN(1) to INTIN(5); INTIN[0] unused

    void start() {
        INTIN[1] = 524287;
        INTIN[2] = INTIN[1] / 32768;
        INTIN[3] = mod_by_shifting(INTIN[1], 15);
        INTIN[4] = 663608941 / 32768;
        INTIN[5] = mod_by_shifting(663608941, 15);
    }

    void call(std::span<float> out) {
        const std::int32_t ah = INTIN[4];
        const std::int32_t al = INTIN[5];
        std::int32_t xh = INTIN[2];
        std::int32_t xl = INTIN[3];
        for (float& sample : out) {
            const std::int32_t p1 = mod_by_shifting(wrap_add(wrap_mul(ah, xl), wrap_mul(xh, al)), 17);
            const std::int32_t p2 = mod_by_shifting(wrap_mul(ah, xh), 2);
            const std::int32_t p3 = wrap_mul(xl, al) / 32768;
            xh = mod_by_shifting(wrap_add(wrap_add(wrap_mul(p2, 32768), p3), p1), 17);
            const std::int32_t value = xh / 4;
            xl = mod_by_shifting(wrap_mul(xl, al), 15);
            sample = static_cast<float>(value) / 32768.0f;
        }
        INTIN[2] = xh;
        INTIN[3] = xl;
    }
};

}  // namespace tamboril::reference
