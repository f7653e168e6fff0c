// URN14: a mixed congruential generator modulo 2^31 shuffled through a table of
// 64 of its earlier values, the slot chosen by a small generator modulo 32769.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "tests/reference/protocol.hpp"

namespace tamboril::reference {

struct Urn14 {
    std::int32_t IX = 0;
    std::int32_t JX = 0;
    std::array<std::int32_t, 64> table{};  // slot s is table[s - 1]

    // 266245 IX + 453816693 in wrapping 32 bits, a negative result with 2^31
    // subtracted.
    static std::int32_t main_step(std::int32_t ix) {
        std::int32_t next = wrap_add(wrap_mul(266245, ix), 453816693);
        if (next < 0) next = wrap_sub(next, kSignBit);
        return next;
    }

    void start() {
        std::int32_t value = 0;
        for (std::int32_t& entry : table) {
            value = main_step(value);
            entry = value;
        }
        IX = 197249728;
        JX = 0;
    }

    float step() {
        IX = main_step(IX);
        do {
            JX = 10924 * JX + 6925;
            JX = JX - (JX / 32769) * 32769;
        } while (JX == 32768);
        const std::int16_t slot = static_cast<std::int16_t>(JX / 512 + 1);
        const float sample = static_cast<float>(static_cast<double>(table[slot - 1]) * 0x1p-31);
        table[slot - 1] = IX;
        return sample;
    }

    void call(std::span<float> out) { call_by_steps(*this, out); }
};

}  // namespace tamboril::reference
