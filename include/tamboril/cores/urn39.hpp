// URN39: the fractional part of sin(k) (SEED + k) + SEED, k counting the
// values of the whole run.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <span>

#include "tamboril/cores/extended_sine.hpp"
#include "tamboril/cores/wrap.hpp"

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

struct Urn39Core {
    double seed = 0.0;
    // The count of values of the run (ITOTAL39), kept in 64 bits so that k
    // stays exact and never overflows however long the run: a call adds at
    // most 2^31 - 1 and a run has at most 2^31 - 1 calls. ITOTAL39 is shown
    // as the low 32 bits of the count.
    std::int64_t total = 0;
    std::int64_t k = 0;  // count of the last value made in the current call

    static Urn39Core start() {
        Urn39Core core;
        core.initialise();
        return core;
    }

    void initialise() {
        seed = 2.0 / (std::sqrt(5.0) + 1.0);
        total = 0;
    }

    // The counts of a call run from ITOTAL39 + 1; ITOTAL39 itself moves only
    // after the call, by N as given.
    void begin_call() { k = total; }
    void end_call(std::int32_t n) { total += n; }

    std::int32_t itotal39() const { return wrap(static_cast<std::uint32_t>(static_cast<std::uint64_t>(total))); }

    float next() {
        ++k;
        const double dk = static_cast<double>(k);  // exact below 2^53
        const double t = seed + dk;
        const double x = sine_product(dk, t) + seed;
        // Truncated in floating point: exact, and no integer range to leave.
        double f = x - std::trunc(x);
        if (f < 0.0) f += 1.0;
        seed = f;
        return static_cast<float>(seed);
    }

    void fill(std::span<float> out) {
        for (float& sample : out) sample = next();
    }

    // One call with N = out.size().
    void sequence(std::span<float> out) {
        begin_call();
        fill(out);
        total += static_cast<std::int64_t>(out.size());
    }

    // One value of the stream: a call of one value.
    float operator()() {
        begin_call();
        const float sample = next();
        end_call(1);
        return sample;
    }

    friend bool operator==(const Urn39Core&, const Urn39Core&) = default;
};

}  // namespace tamboril::generators
