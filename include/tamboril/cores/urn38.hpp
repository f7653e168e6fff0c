// URN38: 5^13 X mod 2^15, as three multiplications (15625, 15625, 5), each
// reduced to its low 15 bits.
#pragma once

#include <cstdint>
#include <span>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {

struct Urn38Core {
    std::int32_t intin1 = 0;  // INTIN(1)

    static Urn38Core start() { return {32767}; }

    float next() {
        // States stay below 2^15, so every product is below 2^29.
        std::int32_t x = intin1;
        x = (15625 * x) & 0x7FFF;
        x = (15625 * x) & 0x7FFF;
        x = (5 * x) & 0x7FFF;
        intin1 = x;
        return static_cast<float>(x) / 32768.0f;
    }

    void fill(std::span<float> out) {
        for (float& sample : out) sample = next();
    }

    // One call with N = out.size().
    void sequence(std::span<float> out) { fill(out); }

    // One value of the stream.
    float operator()() { return next(); }

    friend bool operator==(const Urn38Core&, const Urn38Core&) = default;
};

}  // namespace tamboril::generators
