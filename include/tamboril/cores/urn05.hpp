// URN05: a feedback shift register of 98 words of 31 bits. Each step replaces
// one word by the exclusive or of itself and the word 27 places further on
// (cyclically) and returns the new word over the word mask.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "tamboril/cores/wrap.hpp"

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

struct Urn05Core {
    std::int32_t p = 0;       // words in the register
    std::int32_t q = 0;       // distance to the word combined with
    std::int32_t intsiz = 0;  // bits per word
    std::int32_t jj = 0;      // position (1 to P) replaced last; 0 before the first step
    std::array<std::int32_t, kUrn05Words> mfsr{};  // MFSR(1) is mfsr[0]
    std::int32_t mask = 0;

    // The starting register, with the mask of a call worked out.
    static Urn05Core start() {
        Urn05Core core;
        core.initialise();
        core.begin_call();
        return core;
    }

    void initialise() {
        p = 98;
        q = 27;
        intsiz = 31;
        jj = 0;
        mfsr = kUrn05StartRegister;
    }

    // The mask is worked out afresh at the start of every call.
    void begin_call() { mask = urn05_word_mask(intsiz); }

    void fill(std::span<float> out) {
        for (float& sample : out) {
            jj = jj + 1;
            if (jj > p) jj = 1;
            std::int32_t k = jj + q;
            if (k > p) k = k - p;
            const std::int32_t a = mfsr[static_cast<std::size_t>(jj - 1)];
            const std::int32_t b = mfsr[static_cast<std::size_t>(k - 1)];
            // For words from 0 to the mask this is a XOR b.
            const std::int32_t word = (a & wrap_sub(mask, b)) | (b & wrap_sub(mask, a));
            mfsr[static_cast<std::size_t>(jj - 1)] = word;
            sample = static_cast<float>(static_cast<double>(word) / static_cast<double>(mask));
        }
    }

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

    friend bool operator==(const Urn05Core&, const Urn05Core&) = default;
};

}  // namespace tamboril::generators
