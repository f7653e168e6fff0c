// URN14: a mixed congruential generator modulo 2^31 whose values pass through
// a 64-entry shuffle table; a small generator modulo 32769 picks the entry.
//   seed:    X0, 0 to 2^31 - 1: the table holds the first 64 values of the
//            main recurrence from X0 and IX the last of them (a run starts
//            from X0 = 0)
//   discard: O(log n) for IX; the selector runs through the one cycle of its
//            32768 kept values, so n mod 32768 of its steps place it; each
//            table entry holds the IX of the last step that picked it, found
//            by stepping both back from the n-th step until every entry is
//            found (a few hundred steps)
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

class Urn14Core : public CoreBase<Urn14Core> {
public:
    static constexpr int bits = 23;
    static constexpr SeedRange seed_range{"X0", 0, 2147483647, 0};
    static constexpr std::int32_t kMultiplier = 266245;
    static constexpr std::int32_t kIncrement = 453816693;
    static constexpr std::int32_t kSelectorMultiplier = 10924;
    static constexpr std::int32_t kSelectorIncrement = 6925;
    static constexpr std::int32_t kSelectorModulus = 32769;
    static constexpr std::int32_t kRejected = 32768;
    static constexpr std::size_t kSlots = 64;

    // (266245 x + 453816693) mod 2^31: the wrapped sum with its sign bit cleared.
    static constexpr std::int32_t step(std::int32_t x) {
        std::int32_t r = wrap_add(wrap_mul(kMultiplier, x), kIncrement);
        if (r < 0) r = wrap_sub(r, INT32_MIN);
        return r;
    }

    // The selector step; 32768 is never kept, the step is taken again from it.
    static constexpr std::int32_t select(std::int32_t j) {
        do {
            // j is at most 32768, so the product stays below 2^31.
            j = kSelectorMultiplier * j + kSelectorIncrement;
            j -= (j / kSelectorModulus) * kSelectorModulus;
        } while (j == kRejected);
        return j;
    }

    static Urn14Core start() { return {}; }

    void seed(std::uint64_t v) { s_ = State::from(static_cast<std::int32_t>(checked_seed("URN14", seed_range, v))); }

    void discard(std::uint64_t n);

    // One call with N = out.size().
    void sequence(std::span<float> out) { fill(out); }

    // One value of the stream.
    float operator()() {
        float sample;
        fill(std::span<float>(&sample, 1));
        return sample;
    }

    struct State {
        std::int32_t ix = 0;
        std::int32_t jx = 0;
        std::array<std::int32_t, kSlots> table{};  // slots 1 to 64 at indices 0 to 63

        // The table holds the first 64 values of the main recurrence from x0,
        // and IX the last of them.
        static constexpr State from(std::int32_t x0) {
            State s;
            std::int32_t x = x0;
            for (std::int32_t& entry : s.table) {
                x = step(x);
                entry = x;
            }
            s.ix = x;
            return s;
        }

        static auto fields(auto& s) { return std::tie(s.ix, s.jx, s.table); }
        static bool valid(const State& s) {
            for (const std::int32_t entry : s.table) {
                if (entry < 0) return false;
            }
            return s.ix >= 0 && s.jx >= 0 && s.jx < kRejected;
        }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;
    static constexpr std::uint64_t kStepsBeforeJump = 4096;

    void fill(std::span<float> out) {
        for (float& sample : out) {
            s_.ix = step(s_.ix);
            s_.jx = select(s_.jx);
            std::int32_t& entry = s_.table[static_cast<std::size_t>(s_.jx / 512)];
            sample = static_cast<float>(static_cast<double>(entry) * 0x1p-31);
            entry = s_.ix;
        }
    }

    State s_ = State::from(0);
};

inline void Urn14Core::discard(std::uint64_t n) {
    if (n <= kStepsBeforeJump) {
        discard_by_steps(n);
        return;
    }
    constexpr std::uint64_t mask = 0x7FFFFFFF;
    const AffineMap forward = affine_power({kMultiplier, kIncrement}, n, mask);
    // The inverse step: x = (y - c) a^-1 mod 2^31, a^-1 = a^(2^29 - 1) since
    // the odd residues modulo 2^31 form a group of order 2^30 whose elements
    // have orders dividing 2^29.
    const std::uint64_t a_inverse = multiply_power(kMultiplier, (std::uint64_t{1} << 29) - 1, 1, mask);
    // The selector inverse: j = (k - 6925) 10924^-1 mod 32769, the previous
    // kept value taken once more where that is 32768.
    constexpr std::int64_t s_inverse = 21847;
    static_assert(kSelectorMultiplier * s_inverse % kSelectorModulus == 1);
    const auto select_back = [](std::int32_t k) {
        std::int32_t j = 0;
        do {
            const std::int64_t d = (static_cast<std::int64_t>(k) - kSelectorIncrement + kSelectorModulus) % kSelectorModulus;
            j = static_cast<std::int32_t>(d * s_inverse % kSelectorModulus);
            k = j;
        } while (j == kRejected);
        return j;
    };

    std::int32_t jx = s_.jx;
    for (std::uint64_t k = n % 32768; k > 0; --k) jx = select(jx);
    const auto ix = static_cast<std::int32_t>((forward.a * static_cast<std::uint64_t>(s_.ix) + forward.c) & mask);
    s_.ix = ix;
    s_.jx = jx;

    std::array<bool, kSlots> found{};
    std::size_t left = kSlots;
    std::uint64_t x = static_cast<std::uint64_t>(ix);
    for (std::uint64_t t = n; t > 0 && left > 0; --t) {
        const auto slot = static_cast<std::size_t>(jx / 512);
        if (!found[slot]) {
            found[slot] = true;
            --left;
            s_.table[slot] = static_cast<std::int32_t>(x);
        }
        x = ((x + (mask + 1) - static_cast<std::uint64_t>(kIncrement)) * a_inverse) & mask;
        jx = select_back(jx);
    }
}

}  // namespace tamboril::generators
