// URN08: 65539 X mod 2^31 in wrapped 32-bit integers; the sign bit of a
// negative product is removed by subtracting 80000000 (hexadecimal).
//   seed:    IX, 1 to 2^31 - 1 (a run starts from 7FFFF, 524287)
//   discard: O(log n), by the power of 65539 modulo 2^31
#pragma once

#include <cstdint>
#include <limits>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

class Urn08Core : public CoreBase<Urn08Core> {
public:
    static constexpr int bits = 24;
    static constexpr SeedRange seed_range{"IX", 1, 2147483647, 0x7FFFF};

    static Urn08Core start() { return {}; }

    void seed(std::uint64_t v) { s_.ix = static_cast<std::int32_t>(checked_seed("URN08", seed_range, v)); }

    void discard(std::uint64_t n) {
        s_.ix = static_cast<std::int32_t>(multiply_power(65539, n, static_cast<std::uint64_t>(s_.ix), 0x7FFFFFFF));
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
        std::int32_t ix = 0x7FFFF;

        static auto fields(auto& s) { return std::tie(s.ix); }
        static bool valid(const State& s) { return s.ix >= 1; }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;

    void fill(std::span<float> out) {
        for (float& sample : out) {
            // The product overflows from the first step on: the wrap is part
            // of the recurrence.
            std::int32_t t = wrap_mul(s_.ix, 65539);
            if (t < 0) t = wrap_sub(t, std::numeric_limits<std::int32_t>::min());
            // Converted to single precision first, then scaled in place (exact).
            sample = static_cast<float>(t);
            sample *= 0x1p-31f;
            s_.ix = t;
        }
    }

    State s_;
};

}  // namespace tamboril::generators
