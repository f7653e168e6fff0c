// URN10: 125 X mod 8192, as three multiplications by 5.
//   seed:    IX, 1 to 8191 (a run starts from the seed routine's 1)
//   discard: O(log n), by the power of 125 modulo 8192
#pragma once

#include <cstdint>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

class Urn10Core : public CoreBase<Urn10Core> {
public:
    static constexpr int bits = 11;
    static constexpr SeedRange seed_range{"IX", 1, 8191, 1};

    static Urn10Core start() { return {}; }

    void seed(std::uint64_t v) { s_.ix = static_cast<std::int32_t>(checked_seed("URN10", seed_range, v)); }

    void discard(std::uint64_t n) {
        s_.ix = static_cast<std::int32_t>(multiply_power(125, n, static_cast<std::uint64_t>(s_.ix), 8191));
    }

    // One call with N = out.size().
    void sequence(std::span<float> out) { fill(out); }

    // One value of the stream.
    float operator()() {
        float sample;
        fill(std::span<float>(&sample, 1));
        return sample;
    }

    struct State {
        std::int32_t ix = 1;

        static auto fields(auto& s) { return std::tie(s.ix); }
        static bool valid(const State& s) { return s.ix >= 1 && s.ix <= 8191; }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;

    void fill(std::span<float> out) {
        for (float& sample : out) {
            std::int32_t t = s_.ix;
            // States stay in 0 to 8191, so 5 t never overflows.
            for (int k = 0; k < 3; ++k) t = 5 * t % 8192;
            sample = static_cast<float>(t) / 8192.0f;
            s_.ix = t;
        }
    }

    State s_;
};

}  // namespace tamboril::generators
