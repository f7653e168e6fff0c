// URN37: 5^13 X mod 2^31, one wrapping multiplication and the sign bit
// cleared.
//   seed:    INTIN(1), 1 to 2^31 - 1 (a run starts from 32767)
//   discard: O(log n), by the power of 5^13 modulo 2^31
#pragma once

#include <cstdint>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

class Urn37Core : public CoreBase<Urn37Core> {
public:
    static constexpr int bits = 24;
    static constexpr SeedRange seed_range{"INTIN(1)", 1, 2147483647, 32767};

    static Urn37Core start() { return {}; }

    void seed(std::uint64_t v) { s_.intin1 = static_cast<std::int32_t>(checked_seed("URN37", seed_range, v)); }

    void discard(std::uint64_t n) {
        s_.intin1 = static_cast<std::int32_t>(
            multiply_power(1220703125, n, static_cast<std::uint64_t>(s_.intin1), 0x7FFFFFFF));
    }

    // One call with N = out.size().
    void sequence(std::span<float> out) { fill(out); }

    // One value of the stream.
    float operator()() { return next(); }

    struct State {
        std::int32_t intin1 = 32767;  // INTIN(1)

        static auto fields(auto& s) { return std::tie(s.intin1); }
        static bool valid(const State& s) { return s.intin1 >= 1; }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;

    float next() {
        std::int32_t x = wrap_mul(s_.intin1, 1220703125);
        if (x < 0) x = wrap_sub(x, INT32_MIN);
        s_.intin1 = x;
        // x 2^-31 is exact in double precision; rounded once to single.
        return static_cast<float>(static_cast<double>(x) * 0x1p-31);
    }

    void fill(std::span<float> out) {
        for (float& sample : out) sample = next();
    }

    State s_;
};

}  // namespace tamboril::generators
