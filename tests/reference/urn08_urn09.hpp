// URN08 and URN09: IX <- 65539 IX mod 2^31 in wrapping 32-bit arithmetic, the
// sign bit cleared; sample IX times 2^-31. The two write the same steps
// differently, and each is transcribed in its own way here.
#pragma once

#include <cstdint>
#include <span>

#include "tests/reference/protocol.hpp"

namespace tamboril::reference {

struct Urn08 {
    std::int32_t IX = 0;

    void start() {
        IX = seed_routine("URN08   ");
        IX = 0x7FFFF;
    }

    float step() {
        std::int32_t t = wrap_mul(IX, 65539);
        if (t < 0) t = wrap_sub(t, kSignBit);  // minus hexadecimal 80000000
        IX = t;
        float sample = static_cast<float>(t);  // the converted value, then scaled in place
        sample = sample * 0x1p-31f;
        return sample;
    }

    void call(std::span<float> out) { call_by_steps(*this, out); }
};

struct Urn09 {
    std::int32_t IX = 0;

    void start() { IX = seed_routine("URN09   "); }

    float step() {
        std::int32_t t = wrap_mul(IX, 65539);
        if (t < 0) {
            t = wrap_add(t, 2147483647);
            t = wrap_add(t, 1);
        }
        IX = t;
        return static_cast<float>(static_cast<double>(t) * 0x1p-31);  // one rounding
    }

    void call(std::span<float> out) { call_by_steps(*this, out); }
};

}  // namespace tamboril::reference
