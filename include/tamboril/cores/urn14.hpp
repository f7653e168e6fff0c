// URN14: a mixed congruential generator modulo 2^31 whose values pass through
// a 64-entry shuffle table; a small generator modulo 32769 picks the entry.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {

struct Urn14Core {
    static constexpr std::int32_t kMultiplier = 266245;
    static constexpr std::int32_t kIncrement = 453816693;
    static constexpr std::int32_t kSelectorMultiplier = 10924;
    static constexpr std::int32_t kSelectorIncrement = 6925;
    static constexpr std::int32_t kSelectorModulus = 32769;
    static constexpr std::int32_t kRejected = 32768;
    static constexpr std::size_t kSlots = 64;

    std::int32_t ix = 0;
    std::int32_t jx = 0;
    std::array<std::int32_t, kSlots> table{};  // slots 1 to 64 at indices 0 to 63

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

    static Urn14Core start() {
        Urn14Core core;
        core.initialise();
        return core;
    }

    // The fixed starting state: the table holds the first 64 values of the
    // main recurrence from 0, and IX the last of them.
    void initialise() {
        std::int32_t x = 0;
        for (std::int32_t& entry : table) {
            x = step(x);
            entry = x;
        }
        ix = x;
        jx = 0;
    }

    void fill(std::span<float> out) {
        for (float& sample : out) {
            ix = step(ix);
            jx = select(jx);
            std::int32_t& entry = table[static_cast<std::size_t>(jx / 512)];
            sample = static_cast<float>(static_cast<double>(entry) * 0x1p-31);
            entry = ix;
        }
    }

    // One call with N = out.size().
    void sequence(std::span<float> out) { fill(out); }

    // One value of the stream.
    float operator()() {
        float sample;
        fill(std::span<float>(&sample, 1));
        return sample;
    }

    friend bool operator==(const Urn14Core&, const Urn14Core&) = default;
};

}  // namespace tamboril::generators
