// URN09: the stream of URN08 coded otherwise: a negative wrapped product is
// brought into range by adding 2147483647 and then 1, and the state is scaled
// exactly before the one rounding to single precision.
//   seed:    IX, 1 to 2^31 - 1 (a run starts from the seed routine's 524287)
//   discard: O(log n), by the power of 65539 modulo 2^31
#pragma once

#include <cstdint>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

class Urn09Core : public CoreBase<Urn09Core> {
public:
    static constexpr int bits = 24;
    static constexpr SeedRange seed_range{"IX", 1, 2147483647, 524287};

    static Urn09Core start() { return {}; }

    void seed(std::uint64_t v) { s_.ix = static_cast<std::int32_t>(checked_seed("URN09", seed_range, v)); }

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
        std::int32_t ix = 524287;

        static auto fields(auto& s) { return std::tie(s.ix); }
        static bool valid(const State& s) { return s.ix >= 1; }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;

    void fill(std::span<float> out) {
        for (float& sample : out) {
            std::int32_t t = wrap_mul(s_.ix, 65539);
            if (t < 0) t = wrap_add(wrap_add(t, 2147483647), 1);
            sample = static_cast<float>(static_cast<double>(t) * 0x1p-31);
            s_.ix = t;
        }
    }

    State s_;
};

}  // namespace tamboril::generators
