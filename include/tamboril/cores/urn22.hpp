// URN22: M1 <- (69069 M1 + 1) mod 2^32 in double precision, where every
// intermediate is an exact integer; samples scaled by a constant just below
// 2^-32.
//   seed:    M1, 0 to 2^32 - 1 (a run starts from 32007779)
//   discard: O(log n), by the power of the map x -> 69069 x + 1 mod 2^32
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

class Urn22Core : public CoreBase<Urn22Core> {
public:
    static constexpr int bits = 24;
    static constexpr SeedRange seed_range{"M1", 0, 4294967295, 32007779};
    static constexpr double kMultiplier = 69069.0;
    static constexpr double kModulus = 4294967296.0;
    // The double nearest 2.3283064e-10.
    static constexpr double kScale = std::bit_cast<double>(std::uint64_t{0x3DEFFFFFF79322D5});

    static Urn22Core start() { return {}; }

    void seed(std::uint64_t v) { s_.m1 = static_cast<double>(checked_seed("URN22", seed_range, v)); }

    void discard(std::uint64_t n) {
        const AffineMap map = affine_power({69069, 1}, n, 0xFFFFFFFF);
        const auto m1 = static_cast<std::uint64_t>(s_.m1);
        s_.m1 = static_cast<double>((map.a * m1 + map.c) & 0xFFFFFFFF);
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
        double m1 = 32007779.0;  // a whole number from 0 to 2^32 - 1

        static auto fields(auto& s) { return std::make_tuple(state_text::whole(s.m1)); }
        static bool valid(const State& s) { return s.m1 >= 0.0 && s.m1 < kModulus; }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;

    // Each scaled value is rounded into its sample at once, so no work array
    // is needed and any count of samples can be produced.
    void fill(std::span<float> out) {
        for (float& sample : out) {
            double x = s_.m1 * kMultiplier + 1.0;  // below 2^49: exact
            x = exact_remainder<4294967296>(x);
            const double scaled = x * kScale;
            s_.m1 = x;
            sample = static_cast<float>(scaled);
        }
    }

    State s_;
};

}  // namespace tamboril::generators
