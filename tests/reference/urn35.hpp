// URN35: three multiplicative components modulo 32363, 31727 and 31657; sample
// (((KZ + KY + KW - 3) mod 32362) + 1) / 32363.
#pragma once

#include <cstdint>
#include <span>

#include "tests/reference/protocol.hpp"

namespace tamboril::reference {

struct Urn35 {
    std::int32_t KW = 0, KY = 0, KZ = 0;
    float XR = 0.0f;

    void start() {
        KW = 1;
        KY = 1;
        KZ = 1;
        XR = 0.0f;
    }

    float step() {
        KW = (157 * KW) % 32363;
        KY = (146 * KY) % 31727;
        KZ = (142 * KZ) % 31657;
        const std::int32_t s = (KZ + KY + KW - 3) % 32362;
        XR = static_cast<float>((static_cast<double>(s) + 1.0) / 32363.0);
        return XR;
    }

    void call(std::span<float> out) { call_by_steps(*this, out); }
};

}  // namespace tamboril::reference
