// URN38: 5^13 X mod 2^15, as three multiplications (15625, 15625, 5), each
// reduced to its low 15 bits.
//   seed:    INTIN(1), 1 to 32767 (a run starts from 32767)
//   discard: O(log n), by the power of 5^13 modulo 2^15
#pragma once

#include <cstdint>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

class Urn38Core : public CoreBase<Urn38Core> {
public:
    static constexpr int bits = 14;
    static constexpr SeedRange seed_range{"INTIN(1)", 1, 32767, 32767};

    static Urn38Core start() { return {}; }

    void seed(std::uint64_t v) { s_.intin1 = static_cast<std::int32_t>(checked_seed("URN38", seed_range, v)); }

    void discard(std::uint64_t n) {
        s_.intin1 = static_cast<std::int32_t>(
            multiply_power(1220703125, n, static_cast<std::uint64_t>(s_.intin1), 0x7FFF));
    }

    // One call with N = out.size().
    void sequence(std::span<float> out) { fill(out); }

    // One value of the stream.
    float operator()() { return next(); }

    struct State {
        std::int32_t intin1 = 32767;  // INTIN(1)

        static auto fields(auto& s) { return std::tie(s.intin1); }
        static bool valid(const State& s) { return s.intin1 >= 1 && s.intin1 <= 32767; }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;

    float next() {
        // States stay below 2^15, so every product is below 2^29.
        std::int32_t x = s_.intin1;
        x = (15625 * x) & 0x7FFF;
        x = (15625 * x) & 0x7FFF;
        x = (5 * x) & 0x7FFF;
        s_.intin1 = x;
        return static_cast<float>(x) / 32768.0f;
    }

    void fill(std::span<float> out) {
        for (float& sample : out) sample = next();
    }

    State s_;
};

}  // namespace tamboril::generators
