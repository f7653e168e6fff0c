// URN28: IX <- 16807 IX mod (2^31 - 1), the product formed by splitting into
// 16-bit and 15-bit pieces so that it never leaves 32-bit signed arithmetic.
//   seed:    IX, 1 to 2^31 - 2 (a run starts from 1)
//   discard: O(log n), by the power of 16807 modulo 2^31 - 1
#pragma once

#include <cstdint>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

inline constexpr std::int32_t kPrimeModulus = 2147483647;  // 2^31 - 1

// a z mod (2^31 - 1) for z in 0 to 2^31 - 2 and a in 0 to 32767. Every
// intermediate stays within 32-bit signed range.
constexpr std::int32_t decomposed_mod_product(std::int32_t a, std::int32_t z) {
    const std::int32_t h = z / 65536;             // high 15 bits of z
    const std::int32_t t = (z - h * 65536) * a;   // low 16 bits of z, times a
    const std::int32_t u = t / 65536;
    const std::int32_t f = a * h + u;
    const std::int32_t q = f / 32768;
    std::int32_t r = ((t - u * 65536) - kPrimeModulus) + (f - q * 32768) * 65536 + q;
    if (r < 0) r += kPrimeModulus;
    return r;
}

// a z mod (2^31 - 1) for a and z from 0 to 2^31 - 2, the same value as
// decomposed_mod_product gives (which is exact: its pieces add up to a z
// less a multiple of 2^31 - 1, within 0 to 2^31 - 2). In 64 bits: since
// 2^31 = 1 modulo p = 2^31 - 1, x = h 2^31 + l (l below 2^31) is congruent
// to h + l; with x = a z below p^2, h is below p, so h + l is below 2p and
// one subtraction of p leaves the residue.
constexpr std::int32_t mod_product(std::int32_t a, std::int32_t z) {
    constexpr std::uint64_t p = kPrimeModulus;
    std::uint64_t x = static_cast<std::uint64_t>(a) * static_cast<std::uint64_t>(z);
    x = (x & p) + (x >> 31);
    if (x >= p) x -= p;
    return static_cast<std::int32_t>(x);
}

class Urn28Core : public CoreBase<Urn28Core> {
public:
    static constexpr int bits = 23;
    static constexpr SeedRange seed_range{"IX", 1, 2147483646, 1};
    static constexpr std::int32_t kMultiplier = 16807;

    static Urn28Core start() { return {}; }

    void seed(std::uint64_t v) { s_.ix = static_cast<std::int32_t>(checked_seed("URN28", seed_range, v)); }

    void discard(std::uint64_t n) {
        constexpr std::uint64_t p = kPrimeModulus;
        s_.ix = static_cast<std::int32_t>(mul_mod(pow_mod(kMultiplier, n, p), static_cast<std::uint64_t>(s_.ix), p));
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
        static bool valid(const State& s) { return s.ix >= 1 && s.ix <= 2147483646; }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;

    void fill(std::span<float> out) {
        std::int32_t x = s_.ix;
        for (float& sample : out) {
            x = mod_product(kMultiplier, x);
            sample = static_cast<float>(static_cast<double>(x) * 0x1p-31);
        }
        s_.ix = x;
    }

    State s_;
};

}  // namespace tamboril::generators
