// URN05: a feedback shift register of 98 words of 31 bits. Each step replaces
// one word by the exclusive or of itself and the word 27 places further on
// (cyclically) and returns the new word over the word mask.
//   seed:    MFSR(1), the register's first word, 0 to 2^31 - 1 (a run starts
//            from 346256726); the other 97 words start as in every run
//   discard: O(log n): the words follow w(t) = w(t - 98) xor w(t - 71), so n
//            steps ahead each word is the exclusive or of the words whose
//            terms x^i stand in x^(n + j) mod (x^98 + x^27 + 1) over GF(2)
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

inline constexpr std::size_t kUrn05Words = 98;

inline constexpr std::array<std::int32_t, kUrn05Words> kUrn05StartRegister = {
    346256726, 591599773, 1943131421, 1173234223, 1776849374, 1119416586, 172236044, 985756773, 1554281477, 1503137291,
    650397619, 1618395655, 639939067, 1448259547, 1046853128, 659170036, 1034934222, 279813371, 326930100, 367002640,
    648480182, 1909733845, 618563844, 845531267, 292262469, 299413367, 2139821356, 1005803337, 390139420, 1161028423,
    2034360736, 334070487, 565633315, 124796253, 2104169336, 2009751844, 1999687407, 83223028, 1591328966, 646701838,
    1935362333, 795013136, 680356918, 1771711842, 1324935502, 1869840308, 356745634, 1061920662, 614951490, 261876461,
    703987800, 797463948, 178239686, 1641708282, 1539695556, 1334926802, 940547749, 1957646566, 1878491364, 2033904942,
    1711106005, 2138438575, 647734238, 1555990485, 1210108489, 1793192836, 1819829578, 751843064, 345621400, 575445974,
    1640918761, 1379191461, 1617832156, 542966103, 1305854952, 1476721677, 1466811698, 1842260101, 1666639833, 217007402,
    685228354, 902087789, 32432242, 789712994, 702791444, 1081111755, 1572116899, 321512624, 644413114, 863989644,
    1348681739, 84379947, 1955819746, 941474606, 984690559, 1794209263, 1704575856, 1253913135,
};

// 2^(bits - 1) times 2, minus 2, plus 1, each step wrapping in 32 bits: for 31
// bits the doubling reaches -2^31 and the next steps wrap back to 2^31 - 1.
constexpr std::int32_t urn05_word_mask(std::int32_t bits) {
    std::int32_t e = 1;
    for (std::int32_t k = 1; k < bits; ++k) e = wrap_mul(e, 2);
    return wrap_add(wrap_sub(wrap_mul(e, 2), 2), 1);
}

class Urn05Core : public CoreBase<Urn05Core> {
public:
    static constexpr int bits = 24;
    static constexpr SeedRange seed_range{"MFSR(1)", 0, 2147483647, 346256726};
    static constexpr std::int32_t kP = 98;       // words in the register
    static constexpr std::int32_t kQ = 27;       // distance to the word combined with
    static constexpr std::int32_t kIntsiz = 31;  // bits per word

    static Urn05Core start() { return {}; }

    void seed(std::uint64_t v) {
        const auto word = static_cast<std::int32_t>(checked_seed("URN05", seed_range, v));
        *this = start();
        s_.mfsr[0] = word;
    }

    void discard(std::uint64_t n);

    // One call with N = out.size().
    void sequence(std::span<float> out) {
        begin_call();
        fill(out);
    }

    // One value of the stream.
    float operator()() {
        float sample;
        fill(std::span<float>(&sample, 1));
        return sample;
    }

    struct State {
        std::int32_t jj = 0;  // position (1 to P) replaced last; 0 before the first step
        std::array<std::int32_t, kUrn05Words> mfsr = kUrn05StartRegister;  // MFSR(1) is mfsr[0]

        static auto fields(auto& s) { return std::tie(s.jj, s.mfsr); }
        // Words of 31 bits, not all 0 (a register of zeros stays so).
        static bool valid(const State& s) {
            bool any = false;
            for (const std::int32_t w : s.mfsr) {
                if (w < 0) return false;
                any = any || w != 0;
            }
            return any && s.jj >= 0 && s.jj <= kP;
        }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;

    struct Call {
        std::int32_t mask = urn05_word_mask(kIntsiz);  // the word mask
    };

    // The mask is worked out afresh at the start of every call.
    void begin_call() { call_.mask = urn05_word_mask(kIntsiz); }

    void fill(std::span<float> out) {
        const std::int32_t mask = call_.mask;
        std::int32_t jj = s_.jj;
        for (float& sample : out) {
            jj = jj + 1;
            if (jj > kP) jj = 1;
            std::int32_t k = jj + kQ;
            if (k > kP) k = k - kP;
            const std::int32_t a = s_.mfsr[static_cast<std::size_t>(jj - 1)];
            const std::int32_t b = s_.mfsr[static_cast<std::size_t>(k - 1)];
            // For words from 0 to the mask this is a XOR b.
            const std::int32_t word = (a & wrap_sub(mask, b)) | (b & wrap_sub(mask, a));
            s_.mfsr[static_cast<std::size_t>(jj - 1)] = word;
            sample = static_cast<float>(static_cast<double>(word) / static_cast<double>(mask));
        }
        s_.jj = jj;
    }

    State s_;
    Call call_;
};

// Polynomials over GF(2) of degree below 98, bit i the term x^i, reduced
// modulo x^98 + x^27 + 1.
namespace urn05_detail {

struct Poly {
    std::uint64_t low = 0, high = 0;  // terms 0 to 63 and 64 to 97

    bool term(int i) const { return ((i < 64 ? low >> i : high >> (i - 64)) & 1u) != 0; }
    void add(const Poly& p) {
        low ^= p.low;
        high ^= p.high;
    }
    // Times x: x^98 = x^27 + 1.
    void times_x() {
        const bool top = term(97);
        high = ((high << 1) | (low >> 63)) & ((std::uint64_t{1} << 34) - 1);
        low <<= 1;
        if (top) low ^= (std::uint64_t{1} << 27) | 1u;
    }
};

inline Poly multiply(const Poly& a, const Poly& b) {
    Poly product;
    for (int i = 97; i >= 0; --i) {
        product.times_x();
        if (b.term(i)) product.add(a);
    }
    return product;
}

// x^n modulo x^98 + x^27 + 1.
inline Poly x_power(std::uint64_t n) {
    Poly result{1, 0}, square{2, 0};
    for (; n != 0; n >>= 1) {
        if (n & 1) result = multiply(result, square);
        square = multiply(square, square);
    }
    return result;
}

}  // namespace urn05_detail

inline void Urn05Core::discard(std::uint64_t n) {
    if (n == 0) return;
    // The register holds the last 98 words: position jj (98 before the
    // first step) the newest, w(T), and the position d places before it
    // w(T - d). With u(i) = w(T - 97 + i), w(T - 97 + m) is the sum of u(i)
    // over the terms x^i of x^m.
    const auto position = [](std::uint64_t jj, std::uint64_t back) {
        return static_cast<std::size_t>((jj + 2 * kP - 1 - back) % kP);  // from 0
    };
    const auto jj = static_cast<std::uint64_t>(s_.jj == 0 ? kP : s_.jj);
    std::array<std::int32_t, kUrn05Words> u{};
    for (std::size_t i = 0; i < kUrn05Words; ++i) u[i] = s_.mfsr[position(jj, 97 - i)];

    const std::uint64_t new_jj = (jj - 1 + n % kP) % kP + 1;
    urn05_detail::Poly r = urn05_detail::x_power(n);  // x^(n + j), j from 0
    for (std::size_t j = 0; j < kUrn05Words; ++j) {
        std::int32_t word = 0;
        for (int i = 0; i < kP; ++i) {
            if (r.term(i)) word ^= u[static_cast<std::size_t>(i)];
        }
        s_.mfsr[position(new_jj, 97 - j)] = word;  // w(T + n - 97 + j)
        r.times_x();
    }
    s_.jj = static_cast<std::int32_t>(new_jj);
}

}  // namespace tamboril::generators
