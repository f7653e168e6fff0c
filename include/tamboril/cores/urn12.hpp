// URN12: IX <- (L IX + C2) mod ZZ2, the product L IX wrapped to 32 bits and
// the rest in double precision; a remainder of 0 or less gets ZZ2 added.
//   seed:    IX, 1 to 2^31 - 1 (a run starts from 1)
//   discard: O(log n). With C2 = 0 and ZZ2 = 2^31 a step gives the residue
//            of L IX modulo 2^31 (2^31 itself for the residue 0, which an IX
//            from a seed never meets), so n steps give L^n IX mod 2^31.
#pragma once

#include <cmath>
#include <cstdint>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

class Urn12Core : public CoreBase<Urn12Core> {
public:
    static constexpr int bits = 24;
    static constexpr SeedRange seed_range{"IX", 1, 2147483647, 1};
    static constexpr std::int32_t kL = 452807053;
    static constexpr double kC2 = 0.0;
    static constexpr double kZz2 = 2147483648.0;

    static Urn12Core start() { return {}; }

    void seed(std::uint64_t v) { s_.ix = static_cast<std::int32_t>(checked_seed("URN12", seed_range, v)); }

    void discard(std::uint64_t n) {
        s_.ix = static_cast<std::int32_t>(multiply_power(kL, n, static_cast<std::uint64_t>(s_.ix), 0x7FFFFFFF));
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
        static bool valid(const State& s) { return s.ix >= 1; }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;

    void fill(std::span<float> out) {
        for (float& sample : out) {
            double x = static_cast<double>(wrap_mul(kL, s_.ix)) + kC2;
            x = std::fmod(x, kZz2);
            if (x <= 0.0) x = kZz2 + x;
            s_.ix = truncate_to_int32(x);
            sample = static_cast<float>(x / kZz2);
        }
    }

    State s_;
};

}  // namespace tamboril::generators
