// URN02: three wrapped 32-bit multiplicative sequences and a 128-entry table
// refilled while it is read. L picks the entry, the entry plus L plus MMM is
// the value, and KKK replaces the entry.
//   seed:    L, 1 to 2^31 - 1 (a run starts from 89347405); the other
//            sequences and the table start as in every run
//   discard: O(log n) for the three sequences; each table entry holds the
//            KKK of the last step that picked it, found by stepping back from
//            the n-th step until every entry is found (about 700 steps)
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

inline constexpr std::size_t kUrn02TableSize = 128;

inline constexpr std::array<std::int32_t, kUrn02TableSize> kUrn02StartTable = {
    0x347A50E5, 0x326C0AF7, 0x0DE685A8, 0x769727F9, 0x1BBA2C16, 0x10BABA96, 0x11942E23, 0x39CC478E,
    0x2F9F9D24, 0x16A4845F, 0x07BFFABA, 0x74C3EE15, 0x4006DD4F, 0x28950373, 0x2CC7A9DB, 0x480E58B7,
    0x29798C8B, 0x635C8633, 0x64499EBC, 0x7649685F, 0x1123F9C8, 0x43D23E61, 0x5F3F4B08, 0x7826F090,
    0x5832018E, 0x5786A990, 0x62C6EC83, 0x13734F9C, 0x2896D594, 0x567C9832, 0x4A977ADC, 0x0E5EC953,
    0x6C300744, 0x6BB79409, 0x2DF319E0, 0x2B3D1360, 0x6C9B357A, 0x1C0C8FF0, 0x3800A4BF, 0x40A95CE4,
    0x76839B19, 0x0DB17B2F, 0x6918516B, 0x7B8F0F60, 0x442A0D52, 0x20AB7919, 0x2070A25E, 0x7611BBA9,
    0x474849DF, 0x7C8B0DEB, 0x53D023CE, 0x6D9FEF46, 0x7D91C530, 0x0B478BB4, 0x45C26E9F, 0x4DBF9AC7,
    0x7366FDCB, 0x305629D9, 0x2A1C7AF8, 0x1C6DCB3B, 0x4DE86B25, 0x312260FF, 0x58A65D3C, 0x5EDBA816,
    0x066686D0, 0x09440578, 0x0FD8671D, 0x55D53EE2, 0x2ED81E2F, 0x44AB03B8, 0x66EFEB57, 0x52D5A3FB,
    0x6D8DDF2B, 0x685F1A04, 0x061B4869, 0x0CAFD12A, 0x3E60285D, 0x3A3282F8, 0x6B1DD5ED, 0x1B891EB4,
    0x0F752CD0, 0x1D54304C, 0x44B3AA7D, 0x40D52733, 0x148D6223, 0x58142A4B, 0x303AAF44, 0x6949EC28,
    0x6494F236, 0x403AC1E7, 0x719CF6DA, 0x13983F75, 0x52464E2F, 0x14402C96, 0x76D4AB59, 0x3ED2E3CF,
    0x779C3D29, 0x607A9BFD, 0x4D8A3824, 0x0A0D66BD, 0x67625F57, 0x360BA8E2, 0x249A5E43, 0x412497D9,
    0x465A79D1, 0x2264B308, 0x53D28497, 0x26A0D19D, 0x3A0B1DB4, 0x34AF002B, 0x5D1FAE1D, 0x65AA201A,
    0x521C9024, 0x6DFAC836, 0x0D25924E, 0x2DD327FF, 0x2213B94F, 0x0D0D955C, 0x0CB02D6F, 0x6CC25FB7,
    0x5DD061F1, 0x1AD4BB0A, 0x10FA6C98, 0x7AF65CAE, 0x02D9E6D8, 0x694B7943, 0x5E31F4A9, 0x0AE725FE,
};

class Urn02Core : public CoreBase<Urn02Core> {
public:
    static constexpr int bits = 23;
    static constexpr SeedRange seed_range{"L", 1, 2147483647, 0x553554D};
    // The multipliers of L, MMM and KKK.
    static constexpr std::int32_t kMl = 0x10003;
    static constexpr std::int32_t kMm = 0x2000001;
    static constexpr std::int32_t kMk = 0x159A55E5;

    static Urn02Core start() { return {}; }

    void seed(std::uint64_t v) {
        *this = start();
        s_.l = static_cast<std::int32_t>(checked_seed("URN02", seed_range, v));
    }

    void discard(std::uint64_t n) {
        if (n <= kStepsBeforeJump) {
            discard_by_steps(n);
            return;
        }
        constexpr std::uint64_t mask = 0xFFFFFFFF;
        const auto word = [](std::int32_t x) { return static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)); };
        const auto from = [](std::uint64_t x) { return wrap(static_cast<std::uint32_t>(x)); };
        s_.l = from(multiply_power(kMl, n, word(s_.l), mask));
        s_.mmm = from(multiply_power(kMm, n, word(s_.mmm), mask));
        s_.kkk = from(multiply_power(kMk, n, word(s_.kkk), mask));
        // Back from step n: the first step met that picks an entry is the
        // last step that wrote it.
        constexpr std::uint64_t ml_inverse = inverse_mod_2_32(static_cast<std::uint32_t>(kMl));
        constexpr std::uint64_t mk_inverse = inverse_mod_2_32(static_cast<std::uint32_t>(kMk));
        std::array<bool, kUrn02TableSize> found{};
        std::size_t left = kUrn02TableSize;
        std::uint64_t l = word(s_.l), kkk = word(s_.kkk);
        for (std::uint64_t step = n; step > 0 && left > 0; --step) {
            const std::size_t j = index(from(l));
            if (!found[j]) {
                found[j] = true;
                --left;
                s_.nn[j] = from(kkk);
            }
            l = (l * ml_inverse) & mask;
            kkk = (kkk * mk_inverse) & mask;
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

    struct State {
        std::int32_t l = 0x553554D;
        std::int32_t mmm = 0x11F80629;
        std::int32_t kkk = 0xE548749;
        std::array<std::int32_t, kUrn02TableSize> nn = kUrn02StartTable;  // NN(1) is nn[0]

        static auto fields(auto& s) { return std::tie(s.l, s.mmm, s.kkk, s.nn); }
        // L is never 0 (it would stay 0) nor -2^31 (no entry has its index).
        static bool valid(const State& s) { return s.l != 0 && s.l != INT32_MIN; }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;
    static constexpr std::uint64_t kStepsBeforeJump = 4096;

    // L stays odd (or keeps its lowest set bit), so |L| < 2^31 and the index
    // is 0 to 127.
    static std::size_t index(std::int32_t l) { return static_cast<std::size_t>(wrap_abs(l) / 16777216); }

    // Every product and sum wraps modulo 2^32.
    void fill(std::span<float> out) {
        for (float& sample : out) {
            s_.l = wrap_mul(s_.l, kMl);
            s_.mmm = wrap_mul(s_.mmm, kMm);
            const std::size_t j = index(s_.l);
            const std::int32_t t = wrap_add(wrap_add(s_.nn[j], s_.l), s_.mmm);
            // (t + 2^31) / 2^32, exact in double precision.
            sample = static_cast<float>(static_cast<double>(t) * 0x1p-32 + 0.5);
            s_.kkk = wrap_mul(kMk, s_.kkk);
            s_.nn[j] = s_.kkk;
        }
    }

    State s_;
};

}  // namespace tamboril::generators
