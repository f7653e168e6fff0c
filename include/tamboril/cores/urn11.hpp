// URN11: IX <- |(L IX + C) rem ZZ|, the product L IX wrapped to 32 bits and
// the rest in floating point, with C and ZZ in single precision.
//   seed:    IX, 1 to 2^31 - 1 (a run starts from 1)
//   discard: O(log n). With C = 0 and ZZ = 2^31 a step takes r = L IX mod
//            2^32 to r below 2^31, to 2^32 - r above it (the absolute value
//            of the signed word) and to 0 at 2^31: a fold f(r) that the sign
//            of r does not change, f(r) = f(2^32 - r). So n steps give
//            f(L^n IX mod 2^32).
#pragma once

#include <cmath>
#include <cstdint>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

class Urn11Core : public CoreBase<Urn11Core> {
public:
    static constexpr int bits = 24;
    static constexpr SeedRange seed_range{"IX", 1, 2147483647, 1};
    static constexpr std::int32_t kL = 452807053;
    static constexpr float kC = 0.0f;
    static constexpr float kZz = 2147483648.0f;

    static Urn11Core start() { return {}; }

    void seed(std::uint64_t v) { s_.ix = static_cast<std::int32_t>(checked_seed("URN11", seed_range, v)); }

    void discard(std::uint64_t n) {
        const std::uint64_t r = multiply_power(kL, n, static_cast<std::uint64_t>(s_.ix), 0xFFFFFFFF);
        s_.ix = static_cast<std::int32_t>(r < 0x80000000u ? r : r == 0x80000000u ? 0 : 0x100000000u - r);
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
        // From 1 up: an IX from a seed keeps its lowest set bit, so its fold
        // is never 0 (which would stay 0).
        static bool valid(const State& s) { return s.ix >= 1; }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;

    void fill(std::span<float> out) {
        const double modulus = kZz;
        for (float& sample : out) {
            double x = static_cast<double>(wrap_mul(kL, s_.ix)) + static_cast<double>(kC);
            x = std::fabs(std::fmod(x, modulus));
            s_.ix = truncate_to_int32(x);
            // The remainder is rounded to single precision before the division.
            const float s = static_cast<float>(x);
            sample = static_cast<float>(static_cast<double>(s) / modulus);
        }
    }

    State s_;
};

}  // namespace tamboril::generators
