// URN22: M1 <- (69069 M1 + 1) mod 2^32 in double precision; sample M1 times the
// double nearest 2.3283064e-10, rounded to single precision.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <span>

#include "tests/reference/protocol.hpp"

namespace tamboril::reference {

struct Urn22 {
    double M1 = 0.0;

    static constexpr double scale = 2.3283064e-10;
    static_assert(std::bit_cast<std::uint64_t>(scale) == 0x3DEFFFFFF79322D5u);

    void start() { M1 = 32007779.0; }

    float step() {
        double x = M1 * 69069.0 + 1.0;
        x = std::fmod(x, 4294967296.0);
        const double work = x * scale;
        M1 = x;
        return static_cast<float>(work);
    }

    void call(std::span<float> out) { call_by_steps(*this, out); }
};

}  // namespace tamboril::reference
