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

    float step() {
        // Both products are exact in double precision (below 2^41 with at
        // most 38 significant bits); fmod is exact as well.
        const double p = static_cast<double>(s_.xi) * 11257.0;
        const float t1 = static_cast<float>(exact_remainder<100000008>(p));
        const double q = static_cast<double>(t1) * 12553.0;
        s_.xi = static_cast<float>(exact_remainder<100000040>(q));
        return s_.xi;
    }

    void fill(std::span<float> out) {
        for (float& sample : out) sample = static_cast<float>(static_cast<double>(step()) / kSecondModulus);
    }

    State s_;
};

static_assert(static_cast<float>(Urn33Core::kFirstModulus) == 100000007.0f);
static_assert(static_cast<float>(Urn33Core::kSecondModulus) == 100000039.0f);

}  // namespace tamboril::generators
