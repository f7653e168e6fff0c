// URN36: X <- 1220703125 X mod 2^35 with the state and the multiplier split
// into a high part and a 15-bit low part; sample the top 15 bits of X over
// 32768.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "tests/reference/protocol.hpp"

namespace tamboril::reference {

struct Urn36 {
    std::array<std::int32_t, 6> INTIN{};  // INTIN(1) to INTIN(5); INTIN[0] unused

    void start() {
        INTIN[1] = 32767;
        INTIN[2] = INTIN[1] / 32768;
        INTIN[3] = mod_by_shifting(INTIN[1], 15);
        INTIN[4] = 1220703125 / 32768;
        INTIN[5] = mod_by_shifting(1220703125, 15);
    }

    float step() {
        const std::int32_t xh = INTIN[2];
        const std::int32_t xl = INTIN[3];
        const std::int32_t ah = INTIN[4];
        const std::int32_t al = INTIN[5];
        const std::int32_t e1 = mod_by_shifting(wrap_add(wrap_mul(xh, al), wrap_mul(xl, ah)), 20);
        const std::int32_t e2 = mod_by_shifting(wrap_mul(xh, ah), 5);
        const std::int32_t e3 = wrap_mul(xl, al) / 32768;
        INTIN[2] = mod_by_shifting(wrap_add(wrap_add(wrap_mul(e2, 32768), e3), e1), 20);
        INTIN[3] = mod_by_shifting(wrap_mul(xl, al), 15);
        return static_cast<float>(INTIN[2] / 32) / 32768.0f;
    }

    void call(std::span<float> out) { call_by_steps(*this, out); }
};

}  // namespace tamboril::reference
