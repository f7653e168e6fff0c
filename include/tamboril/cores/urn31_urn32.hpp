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

    // One step; the new IXX is |P rem M| for the wrapped product P. The
    // signed remainder t of P by M = 2^k has the sign of P and |t| < M. A
    // negative t loses its sign bit (t + 2^31), and the shift pair that
    // follows brings back the bits above the modulus as sign bits, so that
    // the quotient is t itself: (t + 2^31) 2^s wraps to t 2^s (2^(31 + s) is
    // a multiple of 2^32), which lies within 32 bits since |t| 2^s < 2^31;
    // divided by 2^s it is t again, and the absolute value |t|. A
    // non-negative t passes the shift pair unchanged. So IXX = |P rem M| =
    // |P| mod M, with |P| taken in 32 unsigned bits (P = -2^31 gives 0 either
    // way): the wrapped magnitude of P, masked.
    static std::int32_t next_ixx(std::int32_t ixx) {
        static_assert((kModulus & (kModulus - 1)) == 0 && (std::int64_t{kModulus} << kShift) == (std::int64_t{1} << 31));
        const std::int32_t p = wrap_mul(ixx, kMultiplier);
        const std::uint32_t magnitude = p < 0 ? 0u - static_cast<std::uint32_t>(p) : static_cast<std::uint32_t>(p);
        return static_cast<std::int32_t>(magnitude & static_cast<std::uint32_t>(kModulus - 1));
    }

    void fill(std::span<float> out) {
        constexpr double modulus = kModulus;
        std::int32_t ixx = s_.ixx;
        for (float& sample : out) {
            ixx = next_ixx(ixx);
            sample = static_cast<float>(static_cast<double>(ixx) / modulus);
        }
        s_.ixx = ixx;
    }

    State s_;
};

using Urn31Core = PowerOfTwoCore<Urn31Constants>;
using Urn32Core = PowerOfTwoCore<Urn32Constants>;

}  // namespace tamboril::generators
