// URN13: X <- 663608941 X mod 2^32, with X and the multiplier split into a
// high part and a 15-bit low part so that the partial products can be reduced
// by shifting in 32-bit signed arithmetic.
//   seed:    INTIN(1), the seed X0, 1 to 2^31 - 1 (a run starts from 524287);
//            XH and XL are its parts
//   discard: O(log n), by the power of 663608941 modulo 2^32
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

class Urn13Core : public CoreBase<Urn13Core> {
public:
    static constexpr int bits = 15;
    static constexpr SeedRange seed_range{"INTIN(1)", 1, 2147483647, 524287};
    static constexpr std::int32_t kMultiplier = 663608941;
    static constexpr std::int32_t kAh = kMultiplier / 32768;  // INTIN(4)
    static constexpr std::int32_t kAl = kMultiplier % 32768;  // INTIN(5)

    static Urn13Core start() { return {}; }

    void seed(std::uint64_t v) {
        const auto x0 = static_cast<std::int32_t>(checked_seed("URN13", seed_range, v));
        s_ = {x0, x0 / 32768, low_bits(x0, 15)};
    }

    void discard(std::uint64_t n) {
        const std::uint64_t x = static_cast<std::uint64_t>(s_.xh) * 32768 + static_cast<std::uint64_t>(s_.xl);
        const std::uint64_t next = multiply_power(kMultiplier, n, x, 0xFFFFFFFF);
        s_.xh = static_cast<std::int32_t>(next >> 15);
        s_.xl = static_cast<std::int32_t>(next & 0x7FFF);
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
        std::int32_t x0 = 524287;  // INTIN(1), the seed; never read by the steps
        std::int32_t xh = 15;      // INTIN(2): X div 32768, 17 bits
        std::int32_t xl = 32767;   // INTIN(3): X mod 32768

        // INTIN(1) to INTIN(5).
        std::array<std::int32_t, 5> intin() const { return {x0, xh, xl, kAh, kAl}; }

        static auto fields(auto& s) { return std::tie(s.x0, s.xh, s.xl); }
        // X is not 0, which would stay 0.
        static bool valid(const State& s) {
            return s.x0 >= 1 && s.xh >= 0 && s.xh < (1 << 17) && s.xl >= 0 && s.xl < 32768 &&
                   (s.xh != 0 || s.xl != 0);
        }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;

    void fill(std::span<float> out) {
        constexpr std::int32_t ah = kAh;
        constexpr std::int32_t al = kAl;
        std::int32_t xh = s_.xh;
        std::int32_t xl = s_.xl;
        for (float& sample : out) {
            // XH AL may wrap; only its low 17 bits count.
            const std::int32_t p1 = low_bits(wrap_add(wrap_mul(ah, xl), wrap_mul(xh, al)), 17);
            const std::int32_t p2 = low_bits(wrap_mul(ah, xh), 2);
            const std::int32_t low_product = xl * al;  // both below 2^15
            const std::int32_t p3 = low_product / 32768;
            xh = low_bits(wrap_add(wrap_add(wrap_mul(p2, 32768), p3), p1), 17);
            xl = low_bits(low_product, 15);
            const std::int32_t top = xh / 4;
            sample = static_cast<float>(top) / 32768.0f;
        }
        s_.xh = xh;
        s_.xl = xl;
    }

    State s_;
};

}  // namespace tamboril::generators
