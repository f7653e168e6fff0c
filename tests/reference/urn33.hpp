// URN33: two multiply-and-reduce stages in floating point, XI 11257 modulo
// 100000008 and that 12553 modulo 100000040, each remainder stored in single
// precision; sample XI / 100000040.
#pragma once

#include <cmath>
#include <cstdint>
#include <span>

#include "tests/reference/protocol.hpp"

namespace tamboril::reference {

struct Urn33 {
    float XI = 0.0f;

    static constexpr float first_modulus = 100000008.0f;
    static constexpr float second_modulus = 100000040.0f;

    void start() { XI = 12345678.0f; }

    float step() {
        const double p = static_cast<double>(XI) * 11257.0;
        const float t1 = static_cast<float>(std::fmod(p, static_cast<double>(first_modulus)));
        const double q = static_cast<double>(t1) * 12553.0;
        const float t2 = static_cast<float>(std::fmod(q, static_cast<double>(second_modulus)));
        XI = t2;
        return static_cast<float>(static_cast<double>(t2) / static_cast<double>(second_modulus));
    }

    void call(std::span<float> out) { call_by_steps(*this, out); }
};

}  // namespace tamboril::reference
