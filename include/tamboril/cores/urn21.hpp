// URN21: additive generator modulo 10^8 over the last three values, with an
// increment of 1357 while the middle value is below 5 x 10^7.
#pragma once

#include <bit>
#include <cstdint>
#include <span>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {

struct Urn21Core {
    static constexpr std::int32_t kIncrement = 1357;
    static constexpr std::int32_t kThreshold = 50000000;
    static constexpr std::int32_t kModulus = 100000000;
    // The single-precision value nearest 10^-8.
    static constexpr float kScale = std::bit_cast<float>(std::uint32_t{0x322BCC77});

    std::int32_t m1 = 0;  // oldest
    std::int32_t m2 = 0;
    std::int32_t m3 = 0;  // newest

    static Urn21Core start() {
        Urn21Core core;
        core.initialise();
        return core;
    }

    void initialise() {
        m1 = 32007779;
        m2 = 23717810;
        m3 = 52636370;
    }

    void fill(std::span<float> out) {
        for (float& sample : out) {
            // Three words below 10^8 plus the increment stay below 2^31.
            std::int32_t s = m3 + m2 + m1;
            if (m2 < kThreshold) s += kIncrement;
            if (s >= kModulus) s -= kModulus;
            if (s >= kModulus) s -= kModulus;
            m1 = m2;
            m2 = m3;
            m3 = s;
            sample = static_cast<float>(static_cast<double>(m3) * static_cast<double>(kScale));
        }
    }

    // One call with N = out.size().
    void sequence(std::span<float> out) { fill(out); }

    // One value of the stream.
    float operator()() {
        float sample;
        fill(std::span<float>(&sample, 1));
        return sample;
    }

    friend bool operator==(const Urn21Core&, const Urn21Core&) = default;
};

}  // namespace tamboril::generators
