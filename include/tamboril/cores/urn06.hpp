// URN06: the sum of two wrapped multiplicative sequences (65539 and 262147),
// scaled by 2^-31 after taking its absolute value. The second sequence, JX,
// is never seeded: it starts at 0 and so stays 0, and the sum is IX.
//   seed:    IX, 1 to 2^31 - 1 (a run starts from the unit seed 1)
//   discard: O(log n), by the power of 65539 modulo 2^32
#pragma once

#include <cstdint>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

class Urn06Core : public CoreBase<Urn06Core> {
public:
    static constexpr int bits = 24;
    static constexpr SeedRange seed_range{"IX", 1, 2147483647, 1};
    static constexpr std::int32_t kJx = 0;  // JX, printed beside IX

    static Urn06Core start() { return {}; }

    void seed(std::uint64_t v) { s_.ix = static_cast<std::int32_t>(checked_seed("URN06", seed_range, v)); }

    void discard(std::uint64_t n) {
        const auto ix = static_cast<std::uint64_t>(static_cast<std::uint32_t>(s_.ix));
        s_.ix = wrap(static_cast<std::uint32_t>(multiply_power(65539, n, ix, 0xFFFFFFFF)));
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
        std::int32_t ix = 1;  // the raw wrapped product: may be negative

        static auto fields(auto& s) { return std::tie(s.ix); }
        // 0 would stay 0, and -2^31 has no absolute value in 32 bits; an IX
        // from a seed keeps its lowest set bit, so it is never either.
        static bool valid(const State& s) { return s.ix != 0 && s.ix != INT32_MIN; }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;

    void fill(std::span<float> out) {
        for (float& sample : out) {
            s_.ix = wrap_mul(s_.ix, 65539);
            // JX + IX with JX = 0 (262147 times 0 is 0 again).
            const std::int32_t s = wrap_abs(wrap_add(kJx, s_.ix));
            sample = static_cast<float>(static_cast<double>(s) * 0x1p-31);
        }
    }

    State s_;
};

}  // namespace tamboril::generators
