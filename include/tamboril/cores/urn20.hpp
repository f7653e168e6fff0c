// URN20: 2027812808 X mod (2^31 - 1) in double precision. The product is
// rounded to double before the remainder, so the stream is that of the
// floating-point computation, not of the exact integer recurrence.
//   seed:    IX, 1 to 2^31 - 2 (a run starts from the seed routine's 524287)
//   discard: by steps: the rounding of each product makes the map nonlinear
#pragma once

#include <cmath>
#include <cstdint>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

class Urn20Core : public CoreBase<Urn20Core> {
public:
    static constexpr int bits = 24;
    static constexpr SeedRange seed_range{"IX", 1, 2147483646, 524287};

    static Urn20Core start() { return {}; }

    void seed(std::uint64_t v) { s_.ix = static_cast<std::int32_t>(checked_seed("URN20", seed_range, v)); }

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
        std::int32_t ix = 524287;

        static auto fields(auto& s) { return std::tie(s.ix); }
        // A rounded product that is a multiple of the modulus gives 0.
        static bool valid(const State& s) { return s.ix >= 0 && s.ix <= 2147483646; }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;

    void fill(std::span<float> out) {
        // x is a whole number from 0 to 2^31 - 2, so the rounded product p is
        // a whole number from 0 to below 2^62 (exact below 2^53, and every
        // double from 2^53 on is whole): it converts to a 64-bit integer
        // exactly, and its remainder modulo 2^31 - 1 is that of the
        // integer, which two folds (2^31 = 1 modulo 2^31 - 1) and one
        // subtraction give, as fmod would exactly.
        constexpr std::uint64_t m = 2147483647;
        double x = s_.ix;
        for (float& sample : out) {
            const double p = x * 2027812808.0;  // up to about 2^62: rounded
            auto whole = static_cast<std::uint64_t>(static_cast<std::int64_t>(p));
            whole = (whole & m) + (whole >> 31);
            whole = (whole & m) + (whole >> 31);
            if (whole >= m) whole -= m;
            x = static_cast<double>(static_cast<std::int64_t>(whole));
            sample = static_cast<float>(x / 2147483647.0);
        }
        if (!out.empty()) s_.ix = static_cast<std::int32_t>(x);
    }

    State s_;
};

}  // namespace tamboril::generators
