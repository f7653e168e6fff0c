// URN31 and URN32: A X mod 2^k in 32-bit arithmetic whose wrapped product is
// part of the recurrence, reduced by a signed remainder whose sign is dropped.
// A product whose 32-bit word is negative gives the residue of -A X instead
// of A X, so the map is not linear.
//   seed:    IXX, 1 to 2^k - 1 (a run starts from 1234567)
//   discard: by steps
#pragma once

#include <cstdint>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

// The constants of each generator.
struct Urn31Constants {
    static constexpr const char* name = "URN31";
    static constexpr std::int32_t modulus = 16777216;  // 2^k
    static constexpr std::int32_t multiplier = 2456949;
    static constexpr int shift = 7;                    // 31 minus the bits of modulus - 1
    static constexpr int bits = 23;
};
struct Urn32Constants {
    static constexpr const char* name = "URN32";
    static constexpr std::int32_t modulus = 33554432;
    static constexpr std::int32_t multiplier = 3513383;
    static constexpr int shift = 6;
    static constexpr int bits = 23;
};

template <class Constants>
class PowerOfTwoCore : public CoreBase<PowerOfTwoCore<Constants>> {
public:
    static constexpr int bits = Constants::bits;
    static constexpr std::int32_t kModulus = Constants::modulus;
    static constexpr std::int32_t kMultiplier = Constants::multiplier;
    static constexpr int kShift = Constants::shift;
    static constexpr SeedRange seed_range{"IXX", 1, static_cast<std::uint64_t>(kModulus) - 1, 1234567};

    static PowerOfTwoCore start() { return {}; }

    void seed(std::uint64_t v) {
        s_.ixx = static_cast<std::int32_t>(checked_seed(Constants::name, seed_range, v));
    }

    void discard(std::uint64_t n) { this->discard_by_steps(n); }

    // One call with N = out.size().
    void sequence(std::span<float> out) { fill(out); }

    // One value of the stream.
    float operator()() {
        float sample;
        fill(std::span<float>(&sample, 1));
        return sample;
    }

    struct State {
        std::int32_t ixx = 1234567;

        static auto fields(auto& s) { return std::tie(s.ixx); }
        // 0 would stay 0.
        static bool valid(const State& s) { return s.ixx >= 1 && s.ixx < kModulus; }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;

    // One step; the new IXX is |P rem M| for the wrapped product P.
    std::int32_t step() {
        const std::int32_t p = wrap_mul(s_.ixx, kMultiplier);
        std::int32_t t = p % kModulus;  // sign of p, |t| < modulus
        // A negative remainder loses its sign bit; the shift pair below
        // brings back the bits above the modulus as sign bits, so that the
        // quotient is the remainder itself.
        if (t < 0) t = wrap_sub(t, INT32_MIN);
        const std::int32_t u = wrap_shl(t, kShift);
        s_.ixx = wrap_abs(u / (std::int32_t{1} << kShift));
        return s_.ixx;
    }

    void fill(std::span<float> out) {
        constexpr double modulus = kModulus;
        for (float& sample : out) sample = static_cast<float>(static_cast<double>(step()) / modulus);
    }

    State s_;
};

using Urn31Core = PowerOfTwoCore<Urn31Constants>;
using Urn32Core = PowerOfTwoCore<Urn32Constants>;

}  // namespace tamboril::generators
