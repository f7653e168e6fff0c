// URN34: three small prime-modulus components, each feeding a 10-entry
// shuffle table; the previous sample's leading digits pick the entries and
// the W entry picks one of six combinations. The tables are rebuilt at the
// start of every call.
//   seed:    KW, KY and KZ, which all start at 1, take v, 1 to 2002 (the
//            range every component holds); XR starts at 0.453 as in every run
//   discard: by steps, call by call: each value's table positions come from
//            the one before it
// The values depend on the cut: sequence() is one call, and there is no
// one-value operator(); tamboril::Engine makes calls of a fixed length.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

class Urn34Core : public CoreBase<Urn34Core> {
public:
    static constexpr int bits = 24;
    static constexpr SeedRange seed_range{"KW, KY, KZ", 1, 2002, 1};

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

    static Urn34Core start() { return {}; }

    void seed(std::uint64_t v) {
        const auto k = static_cast<std::int32_t>(checked_seed("URN34", seed_range, v));
        s_ = {k, k, k, 0.453f};
    }

    void discard(std::uint64_t n, std::int32_t per_call) {
        const auto length = static_cast<std::uint64_t>(per_call);
        std::array<float, 1024> block;
        while (n > 0) {
            std::uint64_t call = n < length ? n : length;
            n -= call;
            prime();
            while (call > 0) {
                const std::size_t count = call < block.size() ? static_cast<std::size_t>(call) : block.size();
                fill(std::span<float>(block.data(), count));
                call -= count;
            }
        }
    }

    // One call with N = out.size(): the tables primed, then the values.
    void sequence(std::span<float> out) {
        prime();
        fill(out);
    }

    struct State {
        std::int32_t kw = 1;
        std::int32_t ky = 1;
        std::int32_t kz = 1;
        float xr = 0.453f;  // the last value; picks the next one's table positions

        static auto fields(auto& s) { return std::tie(s.kw, s.ky, s.kz, s.xr); }
        static bool valid(const State& s) {
            return s.kw >= 1 && s.kw <= 2038 && s.ky >= 1 && s.ky <= 2026 && s.kz >= 1 && s.kz <= 2002 &&
                   s.xr >= 0.0f && s.xr <= 1.0f;
        }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;

    // The tables of the call in progress, primed afresh by every call: they
    // hold component states, integers that every floating format holds
    // exactly, kept as the doubles the combinations divide. Beside the W
    // table, the combination case of each entry (W mod 6), found when the
    // entry is stored rather than when it is drawn.
    struct Call {
        std::array<double, 10> w_table{};
        std::array<double, 10> y_table{};
        std::array<double, 10> z_table{};
        std::array<std::uint8_t, 10> w_case{};
    };

    void store(std::size_t w_at, std::size_t y_at, std::size_t z_at) {
        call_.w_table[w_at] = s_.kw;
        call_.w_case[w_at] = static_cast<std::uint8_t>(s_.kw % 6);
        call_.y_table[y_at] = s_.ky;
        call_.z_table[z_at] = s_.kz;
    }

    // Products stay below 100 000: no overflow.
    void step_components() {
        s_.kw = 44 * s_.kw % 2039;
        s_.ky = 45 * s_.ky % 2027;
        s_.kz = 41 * s_.kz % 2003;
    }

    // Every call begins here, whatever its N: ten steps of every component,
    // each new state stored in the next position of its table.
    void prime() {
        for (std::size_t i = 0; i < 10; ++i) {
            step_components();
            store(i, i, i);
        }
    }
    void begin_call() { prime(); }

    float next() {
        step_components();
        // XR lies in [0, 1]; XR = 1 would give J = 1000 and a W position past
        // the table, so J is taken modulo 1000 and such a sample acts as 0.
        std::int32_t j = truncate_to_int32(static_cast<double>(s_.xr) * 1000.0);
        if (static_cast<std::uint32_t>(j) > 1000u) j = (j % 1000 + 1000) % 1000;  // never from the recurrence
        const Digits& d = kDigits[static_cast<std::size_t>(j)];
        const double drawn[3] = {call_.w_table[d.hundreds], call_.y_table[d.tens], call_.z_table[d.units]};
        const std::uint8_t w_mod_6 = call_.w_case[d.hundreds];
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
        s_.xr = static_cast<float>(difference + third);
        return s_.xr;
    }

    void fill(std::span<float> out) {
        for (float& sample : out) sample = next();
    }

    State s_;
    Call call_;
};

}  // namespace tamboril::generators
