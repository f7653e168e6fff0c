// URN03: 65539 X mod 2^31 in 32-bit integers, the sign bit cleared after
// each wrapped product, starting from 1.
//   seed:    IX, 1 to 2^31 - 1 (a run starts from the unit seed 1)
//   discard: O(log n), by the power of 65539 modulo 2^31
#pragma once

#include <cstdint>
#include <limits>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

class Urn03Core : public CoreBase<Urn03Core> {
public:
    static constexpr int bits = 24;
    static constexpr SeedRange seed_range{"IX", 1, 2147483647, 1};

    static Urn03Core start() { return {}; }

    void seed(std::uint64_t v) { s_.ix = static_cast<std::int32_t>(checked_seed("URN03", seed_range, v)); }

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
        std::int32_t ix = 1;  // the unit seed

        static auto fields(auto& s) { return std::tie(s.ix); }
        static bool valid(const State& s) { return s.ix >= 1; }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;

    void fill(std::span<float> out) {
        std::int32_t s = s_.ix;
        for (float& sample : out) {
            std::int32_t t = wrap_mul(s, 65539);
            // Subtracting 2^31 from a negative product clears its sign bit.
            if (t < 0) t = wrap_sub(t, std::numeric_limits<std::int32_t>::min());
            s = t;
            sample = static_cast<float>(static_cast<double>(t) * 0x1p-31);
        }
        s_.ix = s;
    }

    State s_;
};

}  // namespace tamboril::generators
