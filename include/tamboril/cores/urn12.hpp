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

    // The step in integers, the same values as the double-precision
    // formulation: the wrapped product P lies in [-2^31, 2^31 - 1] and is a
    // double exactly; adding C2 = 0 changes nothing; fmod(P, 2^31) is P itself
    // for |P| < 2^31 and -0 for P = -2^31; the remainder not above 0 is
    // raised by 2^31, exactly. So X = P for P > 0, X = P + 2^31 otherwise,
    // an integer from 1 to 2^31; IX is X truncated to 32 bits (2^31 wraps to
    // -2^31, as the truncation of the double does). The sample X / 2^31
    // rounded to single precision is X rounded to single precision and then
    // scaled by 2^-31, exactly (X is at least 1: no underflow).
    void fill(std::span<float> out) {
        static_assert(kC2 == 0.0 && kZz2 == 2147483648.0);
        std::int32_t ix = s_.ix;
        for (float& sample : out) {
            const std::int32_t p = wrap_mul(kL, ix);
            const std::int64_t x = p > 0 ? std::int64_t{p} : std::int64_t{p} + 2147483648;
            ix = wrap(static_cast<std::uint32_t>(x));
            sample = static_cast<float>(x) * 0x1p-31f;
        }
        s_.ix = ix;
    }

    State s_;
};

}  // namespace tamboril::generators
