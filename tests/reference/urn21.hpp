// URN21: the sum of the last three values modulo 10^8, plus 1357 while the
// middle one is below 5 * 10^7; sample the new value times the single-precision
// constant nearest 10^-8.
#pragma once

#include <bit>
#include <cstdint>
#include <span>

#include "tests/reference/protocol.hpp"

namespace tamboril::reference {

struct Urn21 {
    std::int32_t M1 = 0, M2 = 0, M3 = 0;

    static constexpr float scale = 1.0e-8f;
    static_assert(std::bit_cast<std::uint32_t>(scale) == 0x322BCC77u);

    void start() {
        M1 = 32007779;
        M2 = 23717810;
        M3 = 52636370;
    }

    float step() {
        std::int32_t s = M3 + M2 + M1;
        if (M2 < 50000000) s = s + 1357;
        if (s >= 100000000) s = s - 100000000;
        if (s >= 100000000) s = s - 100000000;
        M1 = M2;
        M2 = M3;
        M3 = s;
        return static_cast<float>(static_cast<double>(M3) * static_cast<double>(scale));
    }

    void call(std::span<float> out) { call_by_steps(*this, out); }
};

}  // namespace tamboril::reference
