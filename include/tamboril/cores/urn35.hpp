// URN35: three multiplicative components near 2^15, their sum reduced
// modulo 32362.
//   seed:    KW, KY and KZ, which all start at 1, take v, 1 to 31656 (the
//            range every component holds)
//   discard: O(log n), by the powers of the three multipliers modulo their
//            primes; XR, the last value, from the last step
#pragma once

#include <cstdint>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

class Urn35Core : public CoreBase<Urn35Core> {
public:
    static constexpr int bits = 7;
    static constexpr SeedRange seed_range{"KW, KY, KZ", 1, 31656, 1};

    static Urn35Core start() { return {}; }

    void seed(std::uint64_t v) {
        const auto k = static_cast<std::int32_t>(checked_seed("URN35", seed_range, v));
        s_ = {k, k, k, 0.0f};
    }

    void discard(std::uint64_t n) {
        if (n == 0) return;
        const auto jump = [&](std::int32_t a, std::int32_t m, std::int32_t x) {
            const auto modulus = static_cast<std::uint64_t>(m);
            return static_cast<std::int32_t>(
                mul_mod(pow_mod(static_cast<std::uint64_t>(a), n - 1, modulus), static_cast<std::uint64_t>(x), modulus));
        };
        s_.kw = jump(157, 32363, s_.kw);
        s_.ky = jump(146, 31727, s_.ky);
        s_.kz = jump(142, 31657, s_.kz);
        next();  // the last step sets XR
    }

    // One call with N = out.size().
    void sequence(std::span<float> out) { fill(out); }

    // One value of the stream.
    float operator()() { return next(); }

    struct State {
        std::int32_t kw = 1;
        std::int32_t ky = 1;
        std::int32_t kz = 1;
        float xr = 0.0f;  // the last sample; printed, never read by the steps

        static auto fields(auto& s) { return std::tie(s.kw, s.ky, s.kz, s.xr); }
        static bool valid(const State& s) {
            return s.kw >= 1 && s.kw <= 32362 && s.ky >= 1 && s.ky <= 31726 && s.kz >= 1 && s.kz <= 31656 &&
                   s.xr >= 0.0f && s.xr <= 1.0f;
        }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;

    // Products stay below 2^23 and the sum below 2^17: no overflow.
    float next() {
        s_.kw = 157 * s_.kw % 32363;
        s_.ky = 146 * s_.ky % 31727;
        s_.kz = 142 * s_.kz % 31657;
        const std::int32_t s = (s_.kz + s_.ky + s_.kw - 3) % 32362;
        s_.xr = static_cast<float>((static_cast<double>(s) + 1.0) / 32363.0);
        return s_.xr;
    }

    void fill(std::span<float> out) {
        for (float& sample : out) sample = next();
    }

    State s_;
};

}  // namespace tamboril::generators
