// URN33: two multiply-and-reduce stages in floating point, every state held
// in single precision, so that the rounding of each stored remainder is part
// of the recurrence.
//   seed:    XI, a whole number from 1 to 2^24 (each held exactly in single
//            precision; a run starts from 12345678)
//   discard: by steps: the rounding of each stored remainder makes the map
//            nonlinear
#pragma once

#include <cmath>
#include <cstdint>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

class Urn33Core : public CoreBase<Urn33Core> {
public:
    static constexpr int bits = 24;
    static constexpr SeedRange seed_range{"XI", 1, 16777216, 12345678};
    // The moduli as single-precision values hold them: 100000008 and
    // 100000040 (bit patterns 0x4CBEBC21 and 0x4CBEBC25).
    static constexpr double kFirstModulus = 100000008.0;
    static constexpr double kSecondModulus = 100000040.0;

    static Urn33Core start() { return {}; }

    void seed(std::uint64_t v) { s_.xi = static_cast<float>(checked_seed("URN33", seed_range, v)); }

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
        float xi = 12345678.0f;  // a whole number from 0 to 100000040

        static auto fields(auto& s) { return std::make_tuple(state_text::whole(s.xi)); }
        static bool valid(const State& s) { return s.xi >= 0.0f && s.xi <= 100000040.0f; }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;

    // One stage, XI c modulo m stored in single precision, on whole numbers:
    // the same value as the double-precision formulation. XI is a whole
    // number below 2^27 (a single-precision value from 0 to 100000040), so
    // the product XI c, below 2^41, is exact in double precision and in 64
    // bits alike; fmod of a whole non-negative double is its integer
    // remainder, exactly (0 for 0); that remainder, below 2^27, is exact in
    // double precision, and its rounding to single precision is the
    // conversion of the integer to single precision, both to nearest with
    // ties to even; a single-precision whole number below 2^27 converts back
    // to an integer exactly. The next stage's operand is at most 100000008
    // (the rounding of 100000007), so its product is exact too.
    template <std::uint64_t c, std::uint64_t m>
    static std::uint32_t stage(std::uint32_t x) {
        static_assert(c < (1u << 14) && m < (1u << 27));
        const auto r = static_cast<std::int32_t>(std::uint64_t{x} * c % m);
        return static_cast<std::uint32_t>(static_cast<float>(r));
    }

    void fill(std::span<float> out) {
        auto xi = static_cast<std::uint32_t>(s_.xi);  // whole, 0 to 100000040
        for (float& sample : out) {
            xi = stage<12553, 100000040>(stage<11257, 100000008>(xi));
            sample = static_cast<float>(static_cast<double>(xi) / kSecondModulus);
        }
        s_.xi = static_cast<float>(xi);  // exact: a single-precision value
    }

    State s_;
};

static_assert(static_cast<float>(Urn33Core::kFirstModulus) == 100000007.0f);
static_assert(static_cast<float>(Urn33Core::kSecondModulus) == 100000039.0f);

}  // namespace tamboril::generators
