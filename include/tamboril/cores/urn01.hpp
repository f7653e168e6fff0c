// URN01: 16807 X mod (2^31 - 1) in double precision.
//   seed:    IX, 1 to 2^31 - 2 (a run starts from the seed routine's 524287)
//   discard: O(log n), by the power of 16807 modulo 2^31 - 1
#pragma once

#include <cstdint>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

class Urn01Core : public CoreBase<Urn01Core> {
public:
    static constexpr int bits = 24;
    static constexpr SeedRange seed_range{"IX", 1, 2147483646, 524287};

    static Urn01Core start() { return {}; }

    void seed(std::uint64_t v) { s_.ix = static_cast<std::int32_t>(checked_seed("URN01", seed_range, v)); }

    void discard(std::uint64_t n) {
        s_.ix = static_cast<std::int32_t>(mul_mod(pow_mod(16807, n, kModulus), static_cast<std::uint64_t>(s_.ix), kModulus));
    }

    // One call with N = out.size().
    void sequence(std::span<float> out) { fill(out); }

    // One value of the stream.
    float operator()() {
        auto x = static_cast<std::uint64_t>(s_.ix);
        const float sample = next(x);
        s_.ix = static_cast<std::int32_t>(x);
        return sample;
    }

    struct State {
        std::int32_t ix = 524287;

        static auto fields(auto& s) { return std::tie(s.ix); }
        static bool valid(const State& s) { return s.ix >= 1 && s.ix <= 2147483646; }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;
    static constexpr std::uint64_t kModulus = 2147483647;

    void fill(std::span<float> out) {
        auto x = static_cast<std::uint64_t>(s_.ix);
        for (float& sample : out) sample = next(x);
        s_.ix = static_cast<std::int32_t>(x);
    }

    // One step, X held by the caller. A single value is this step, not a
    // loop over a span of one: small enough that a distribution calling
    // the engine is inlined where it is used, as it is for a standard
    // engine.
    //
    // X * 16807 is below 2^46, so the double product and its fmod by
    // 2147483647 are exact: the integer remainder, found by folding, is the
    // same value without the slow library remainder.
    static float next(std::uint64_t& x) {
        // 2^31 = 1 modulo 2^31 - 1: fold the high bits onto the low ones.
        const std::uint64_t p = x * 16807;
        x = (p & 0x7FFFFFFFu) + (p >> 31);
        if (x >= 2147483647u) x -= 2147483647u;
        return static_cast<float>(static_cast<double>(x) / 2147483647.0);
    }

    State s_;
};

}  // namespace tamboril::generators
