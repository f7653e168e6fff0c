// URN05: a feedback shift register of 98 words of 31 bits; each value replaces
// one word by its exclusive or with the word 27 places on, written with AND,
// OR and subtraction from the word mask.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "tests/reference/protocol.hpp"

namespace tamboril::reference {

struct Urn05 {
    std::int32_t P = 0, Q = 0, INTSIZ = 0, JJ = 0;
    std::array<std::int32_t, 99> MFSR{};  // MFSR(1) to MFSR(98); MFSR[0] unused

    void start() {
        P = 98;
        Q = 27;
        INTSIZ = 31;
        JJ = 0;
        static constexpr std::int32_t starting_register[98] = {
            346256726, 591599773, 1943131421, 1173234223, 1776849374, 1119416586, 172236044,
            985756773, 1554281477, 1503137291, 650397619, 1618395655, 639939067, 1448259547,
            1046853128, 659170036, 1034934222, 279813371, 326930100, 367002640, 648480182,
            1909733845, 618563844, 845531267, 292262469, 299413367, 2139821356, 1005803337,
            390139420, 1161028423, 2034360736, 334070487, 565633315, 124796253, 2104169336,
            2009751844, 1999687407, 83223028, 1591328966, 646701838, 1935362333, 795013136,
            680356918, 1771711842, 1324935502, 1869840308, 356745634, 1061920662, 614951490,
            261876461, 703987800, 797463948, 178239686, 1641708282, 1539695556, 1334926802,
            940547749, 1957646566, 1878491364, 2033904942, 1711106005, 2138438575, 647734238,
            1555990485, 1210108489, 1793192836, 1819829578, 751843064, 345621400, 575445974,
            1640918761, 1379191461, 1617832156, 542966103, 1305854952, 1476721677, 1466811698,
            1842260101, 1666639833, 217007402, 685228354, 902087789, 32432242, 789712994,
            702791444, 1081111755, 1572116899, 321512624, 644413114, 863989644, 1348681739,
            84379947, 1955819746, 941474606, 984690559, 1794209263, 1704575856, 1253913135,
        };
        for (int j = 1; j <= 98; ++j) MFSR[j] = starting_register[j - 1];
    }

    void call(std::span<float> out) {
        // The mask 2^INTSIZ - 1, formed at every call as E*2 - 2 + 1 with
        // E = 2^(INTSIZ - 1), wrapping through -2^31 on the way.
        std::int32_t e = 1;
        for (std::int32_t k = 0; k < INTSIZ - 1; ++k) e = wrap_mul(e, 2);
        const std::int32_t mask = wrap_add(wrap_sub(wrap_mul(e, 2), 2), 1);
        for (float& sample : out) {
            JJ = JJ + 1;
            if (JJ > P) JJ = 1;
            std::int32_t k = JJ + Q;
            if (k > P) k = k - P;
            const std::int32_t a = MFSR[JJ];
            const std::int32_t b = MFSR[k];
            MFSR[JJ] = (a & (mask - b)) | (b & (mask - a));
            sample = static_cast<float>(static_cast<double>(MFSR[JJ]) / static_cast<double>(mask));
        }
    }
};

}  // namespace tamboril::reference
