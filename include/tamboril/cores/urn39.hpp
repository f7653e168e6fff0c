// URN39: the fractional part of sin(k) (SEED + k) + SEED, k counting the
// values of the whole run.
//   seed:    ITOTAL39, the count of values made before, 0 to 2^31 - 3 (a run
//            starts from 0; SEED starts at 2 / (sqrt(5) + 1) as in every run)
//   discard: by steps: each SEED comes from the one before it through a
//            rounded product, so no map gives the state n steps ahead
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <tuple>

#include "tamboril/cores/extended_sine.hpp"
#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

// The sine enters the product with a 64-bit significand and only the product
// is rounded to double precision. That is long double on x86 (the 80-bit
// format). Where long double has another format, the sine and the product are
// taken in double precision instead, and late values of the stream can differ
// in their last bits.
inline constexpr bool kExtendedSine = std::numeric_limits<long double>::digits == 64;

inline double sine_product(double k, double t) {
    if constexpr (kExtendedSine) {
        const long double s = extended_sine(k);  // as std::sin(static_cast<long double>(k))
        return static_cast<double>(s * static_cast<long double>(t));
    } else {
        return std::sin(k) * t;
    }
}

class Urn39Core : public CoreBase<Urn39Core> {
public:
    static constexpr int bits = 24;
    static constexpr SeedRange seed_range{"ITOTAL39", 0, 2147483645, 0};

    Urn39Core() : s_{2.0 / (std::sqrt(5.0) + 1.0), 0} {}
    static Urn39Core start() { return {}; }

    void seed(std::uint64_t v) {
        const auto total = static_cast<std::int64_t>(checked_seed("URN39", seed_range, v));
        *this = start();
        s_.total = total;
    }

    void discard(std::uint64_t n) {
        begin_call();
        discard_by_steps(n);
        s_.total += static_cast<std::int64_t>(n);
    }

    // One call with N = out.size().
    void sequence(std::span<float> out) {
        begin_call();
        fill(out);
        s_.total += static_cast<std::int64_t>(out.size());
    }

    // One value of the stream: a call of one value.
    float operator()() {
        begin_call();
        const float sample = next();
        end_call(1);
        return sample;
    }

    struct State {
        double seed;  // SEED, in [0, 1]
        // The count of values of the run (ITOTAL39), kept in 64 bits so that
        // k stays exact and never overflows however long the run: a call adds
        // at most 2^31 - 1 and a run has at most 2^31 - 1 calls. ITOTAL39 is
        // shown as the low 32 bits of the count.
        std::int64_t total;

        std::int32_t itotal39() const { return wrap(static_cast<std::uint32_t>(static_cast<std::uint64_t>(total))); }

        static auto fields(auto& s) { return std::tie(s.seed, s.total); }
        // Counts stay where a double holds each k exactly.
        static bool valid(const State& s) {
            constexpr std::int64_t exact = std::int64_t{1} << 53;
            return s.seed >= 0.0 && s.seed <= 1.0 && s.total > -exact && s.total < exact;
        }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;

    // The counts of a call run from ITOTAL39 + 1; ITOTAL39 itself moves only
    // after the call, by N as given.
    struct Call {
        std::int64_t k = 0;  // count of the last value made in the call
    };

    void begin_call() { call_.k = s_.total; }
    void end_call(std::int32_t n) { s_.total += n; }

    float next() {
        ++call_.k;
        const double dk = static_cast<double>(call_.k);  // exact below 2^53
        const double t = s_.seed + dk;
        const double x = sine_product(dk, t) + s_.seed;
        // Truncated in floating point: exact, and no integer range to leave.
        double f = x - std::trunc(x);
        if (f < 0.0) f += 1.0;
        s_.seed = f;
        return static_cast<float>(s_.seed);
    }

    void fill(std::span<float> out) {
        for (float& sample : out) sample = next();
    }

    State s_;
    Call call_;
};

}  // namespace tamboril::generators
