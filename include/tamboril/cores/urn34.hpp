// URN34: three small prime-modulus components, each feeding a 10-entry
// shuffle table; the previous sample's leading digits pick the entries and
// the W entry picks one of six combinations. The tables are rebuilt at the
// start of every call.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {

struct Urn34Core {
    // Decimal digits of J from 0 to 999: the table positions (from 0) that J
    // selects. J = 1000 (XR = 1) is taken modulo 1000: the entry of 0.
    struct Digits {
        std::uint8_t hundreds, tens, units;
    };
    static constexpr std::array<Digits, 1001> kDigits = [] {
        std::array<Digits, 1001> digits{};
        for (std::size_t j = 0; j < 1000; ++j) {
            digits[j] = {static_cast<std::uint8_t>(j / 100), static_cast<std::uint8_t>(j / 10 % 10),
                         static_cast<std::uint8_t>(j % 10)};
        }
        return digits;
    }();

    // The single-precision value of 2038 x 2026 x 2002 (8266233976).
    static constexpr double kD = 8266233856.0;

    std::int32_t kw = 0;
    std::int32_t ky = 0;
    std::int32_t kz = 0;
    float xr = 0.0f;
    // The tables hold component states, integers that every floating format
    // holds exactly; they are kept as the doubles the combinations divide.
    // Beside the W table, the combination case of each entry (W mod 6), found
    // when the entry is stored rather than when it is drawn.
    std::array<double, 10> w_table{};
    std::array<double, 10> y_table{};
    std::array<double, 10> z_table{};
    std::array<std::uint8_t, 10> w_case{};

    void store(std::size_t w_at, std::size_t y_at, std::size_t z_at) {
        w_table[w_at] = kw;
        w_case[w_at] = static_cast<std::uint8_t>(kw % 6);
        y_table[y_at] = ky;
        z_table[z_at] = kz;
    }

    static Urn34Core start() {
        Urn34Core core;
        core.initialise();
        return core;
    }

    void initialise() {
        kw = ky = kz = 1;
        xr = 0.453f;
    }

    // Products stay below 100 000: no overflow.
    void step_components() {
        kw = 44 * kw % 2039;
        ky = 45 * ky % 2027;
        kz = 41 * kz % 2003;
    }

    // Every call begins here, whatever its N: ten steps of every component,
    // each new state stored in the next position of its table.
    void prime() {
        for (std::size_t i = 0; i < 10; ++i) {
            step_components();
            store(i, i, i);
        }
    }

    float next() {
        step_components();
        // XR lies in [0, 1]; XR = 1 would give J = 1000 and a W position past
        // the table, so J is taken modulo 1000 and such a sample acts as 0.
        std::int32_t j = truncate_to_int32(static_cast<double>(xr) * 1000.0);
        if (static_cast<std::uint32_t>(j) > 1000u) j = (j % 1000 + 1000) % 1000;  // never from the recurrence
        const Digits& d = kDigits[static_cast<std::size_t>(j)];
        const double drawn[3] = {w_table[d.hundreds], y_table[d.tens], z_table[d.units]};
        const std::uint8_t w_mod_6 = w_case[d.hundreds];
        store(d.hundreds, d.tens, d.units);

        // The six combinations, case (W mod 6) + 1 in row W mod 6: which drawn
        // value (0 = W, 1 = Y, 2 = Z) each term divides, and by what. A table
        // rather than a switch: the case is as random as the samples.
        struct Combination {
            std::uint8_t first, second, third;
            double first_divisor, second_divisor;
        };
        static constexpr Combination kCases[6] = {
            {0, 1, 2, 2038.0, 4128988.0}, {0, 2, 1, 2038.0, 4080076.0},
            {1, 2, 0, 2026.0, 4056052.0}, {1, 0, 2, 2026.0, 4128988.0},
            {2, 0, 1, 2002.0, 4080076.0}, {2, 1, 0, 2002.0, 4056052.0},
        };
        const Combination& c = kCases[w_mod_6];
        const double first = drawn[c.first] / c.first_divisor;
        const double second = drawn[c.second] / c.second_divisor;
        const double third = drawn[c.third] / kD;
        const double difference = first - second;
        xr = static_cast<float>(difference + third);
        return xr;
    }

    void fill(std::span<float> out) {
        for (float& sample : out) sample = next();
    }

    // One call with N = out.size(): the tables primed, then the values.
    void sequence(std::span<float> out) {
        prime();
        fill(out);
    }

    friend bool operator==(const Urn34Core&, const Urn34Core&) = default;
};

}  // namespace tamboril::generators
