// URN21: additive generator modulo 10^8 over the last three values, with an
// increment of 1357 while the middle value is below 5 x 10^7.
//   seed:    M1, 0 to 10^8 - 1 (a run starts from 32007779); M2 and M3 start
//            as in every run
//   discard: by steps: the increment depends on M2, so the map is not linear
#pragma once

#include <bit>
#include <cstdint>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

class Urn21Core : public CoreBase<Urn21Core> {
public:
    static constexpr int bits = 24;
    static constexpr SeedRange seed_range{"M1", 0, 99999999, 32007779};
    static constexpr std::int32_t kIncrement = 1357;
    static constexpr std::int32_t kThreshold = 50000000;
    static constexpr std::int32_t kModulus = 100000000;
    // The single-precision value nearest 10^-8.
    static constexpr float kScale = std::bit_cast<float>(std::uint32_t{0x322BCC77});

    static Urn21Core start() { return {}; }

    void seed(std::uint64_t v) {
        const auto m1 = static_cast<std::int32_t>(checked_seed("URN21", seed_range, v));
        *this = start();
        s_.m1 = m1;
    }

    void discard(std::uint64_t n) { discard_by_steps(n); }

    // One call with N = out.size().
    void sequence(std::span<float> out) { fill(out); }

    // One value of the stream.
    float operator()() {
        float sample;
        fill(std::span<float>(&sample, 1));
        return sample;
    }

    struct State {
        std::int32_t m1 = 32007779;  // oldest
        std::int32_t m2 = 23717810;
        std::int32_t m3 = 52636370;  // newest

        static auto fields(auto& s) { return std::tie(s.m1, s.m2, s.m3); }
        static bool valid(const State& s) {
            const auto word = [](std::int32_t m) { return m >= 0 && m < kModulus; };
            return word(s.m1) && word(s.m2) && word(s.m3);
        }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;

    void fill(std::span<float> out) {
        for (float& sample : out) {
            // Three words below 10^8 plus the increment stay below 2^31.
            std::int32_t s = s_.m3 + s_.m2 + s_.m1;
            if (s_.m2 < kThreshold) s += kIncrement;
            if (s >= kModulus) s -= kModulus;
            if (s >= kModulus) s -= kModulus;
            s_.m1 = s_.m2;
            s_.m2 = s_.m3;
            s_.m3 = s;
            sample = static_cast<float>(static_cast<double>(s_.m3) * static_cast<double>(kScale));
        }
    }

    State s_;
};

}  // namespace tamboril::generators
