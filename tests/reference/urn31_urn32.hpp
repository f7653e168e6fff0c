// URN31 and URN32: IXX <- |(A IXX, wrapped to 32 bits) rem M| for a power of
// two M, the negative remainder turned by subtracting 2^31 and a shift left and
// back by S places; sample IXX / M.
#pragma once

#include <cstdint>
#include <span>

#include "tests/reference/protocol.hpp"

namespace tamboril::reference {

template <std::int32_t M, std::int32_t A, int S>
struct PowerOfTwoCongruential {
    std::int32_t IXX = 0;

    void start() { IXX = 1234567; }

    float step() {
        const std::int32_t p = wrap_mul(IXX, A);
        std::int32_t t = p % M;
        if (t < 0) t = wrap_sub(t, kSignBit);
        const std::int32_t u = wrap_shl(t, S);
        IXX = wrap_abs(u / (std::int32_t{1} << S));
        return static_cast<float>(static_cast<double>(IXX) / static_cast<double>(M));
    }

    void call(std::span<float> out) { call_by_steps(*this, out); }
};

using Urn31 = PowerOfTwoCongruential<16777216, 2456949, 7>;
using Urn32 = PowerOfTwoCongruential<33554432, 3513383, 6>;

}  // namespace tamboril::reference
