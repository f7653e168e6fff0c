// URN36: 5^13 X mod 2^35 in 32-bit arithmetic, with the state and the
// multiplier each held as a high part and a 15-bit low part.
//   seed:    INTIN(1), the seed X0, 1 to 2^31 - 1 (a run starts from 32767);
//            INTIN(2) and INTIN(3) are its parts
//   discard: O(log n), by the power of 5^13 modulo 2^35
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

class Urn36Core : public CoreBase<Urn36Core> {
public:
    static constexpr int bits = 15;
    static constexpr SeedRange seed_range{"INTIN(1)", 1, 2147483647, 32767};
    static constexpr std::int32_t kMultiplier = 1220703125;  // 5^13
    static constexpr std::int32_t kAh = kMultiplier >> 15;   // INTIN(4)
    static constexpr std::int32_t kAl = kMultiplier & 0x7FFF;  // INTIN(5)

    static Urn36Core start() { return {}; }

    void seed(std::uint64_t v) {
        const auto x0 = static_cast<std::int32_t>(checked_seed("URN36", seed_range, v));
        s_ = {x0, x0 >> 15, x0 & 0x7FFF};
    }

    void discard(std::uint64_t n) {
        const std::uint64_t x = static_cast<std::uint64_t>(s_.xh) << 15 | static_cast<std::uint64_t>(s_.xl);
        const std::uint64_t next = multiply_power(kMultiplier, n, x, (std::uint64_t{1} << 35) - 1);
        s_.xh = static_cast<std::int32_t>(next >> 15);
        s_.xl = static_cast<std::int32_t>(next & 0x7FFF);
    }

    // One call with N = out.size().
    void sequence(std::span<float> out) { fill(out); }

    // One value of the stream.
    float operator()() { return next(); }

    struct State {
        std::int32_t x0 = 32767;  // INTIN(1), the seed; never read by the steps
        std::int32_t xh = 0;      // INTIN(2): X div 2^15, 20 bits
        std::int32_t xl = 32767;  // INTIN(3): X mod 2^15

        // INTIN(1) to INTIN(5).
        std::array<std::int32_t, 5> intin() const { return {x0, xh, xl, kAh, kAl}; }

        static auto fields(auto& s) { return std::tie(s.x0, s.xh, s.xl); }
        // X is not 0, which would stay 0.
        static bool valid(const State& s) {
            return s.x0 >= 1 && s.xh >= 0 && s.xh < (1 << 20) && s.xl >= 0 && s.xl < 32768 &&
                   (s.xh != 0 || s.xl != 0);
        }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;

    float next() {
        const std::int32_t xh = s_.xh, xl = s_.xl, ah = kAh, al = kAl;
        // Only low-order bits are kept, so the wrap-around of these products
        // never reaches a result.
        const std::int32_t e1 = low_bits(wrap_add(wrap_mul(xh, al), wrap_mul(xl, ah)), 20);
        const std::int32_t e2 = low_bits(wrap_mul(xh, ah), 5);
        const std::int32_t low_product = xl * al;  // below 2^30
        const std::int32_t e3 = low_product >> 15;
        s_.xh = low_bits(e2 * 32768 + e3 + e1, 20);
        s_.xl = low_bits(low_product, 15);
        // The top 15 bits of the 35-bit state over 2^15: exact.
        return static_cast<float>(s_.xh >> 5) / 32768.0f;
    }

    void fill(std::span<float> out) {
        for (float& sample : out) sample = next();
    }

    State s_;
};

}  // namespace tamboril::generators
