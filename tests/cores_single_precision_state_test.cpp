// The cores of URN33 and URN34, whose states pass through single precision.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "tamboril/cores/urn33.hpp"
#include "tamboril/cores/urn34.hpp"
#include "tests/support/common.hpp"
#include "tests/support/cores.hpp"

namespace tamboril::generators {
namespace {

using tamboril::testing::at;
using tamboril::testing::begin_call;
using tamboril::testing::bits;
using tamboril::testing::call_state;
using tamboril::testing::state;
using tamboril::testing::take;

std::vector<std::uint32_t> bit_patterns(const std::vector<float>& values) { return bits(values); }

TEST(Urn33Core, WorkedValues) {
    Urn33Core core;
    // The exact remainder 75286134 is stored as 75286136 before the second stage.
    core();
    EXPECT_EQ(state(core).xi, 66487208.0f);
    Urn33Core stream;
    std::vector<float> out(5);
    stream.sequence(out);
    EXPECT_EQ(bit_patterns(out),
              (std::vector<std::uint32_t>{0x3F2A350A, 0x3F2F2644, 0x3F3EC4A7, 0x3F295FD1, 0x3F2B0846}));
    EXPECT_EQ(state(stream).xi, 66809528.0f);
}

TEST(Urn33Core, RoundedRemaindersAtTheModuli) {
    struct Case {
        float xi;
        std::vector<float> states;
        std::vector<std::uint32_t> samples;
    };
    const Case cases[] = {
        // The exact second remainder 100000008 is kept as such; the next
        // product is a multiple of the first modulus, and zero stays zero.
        {8938319.0f, {100000008.0f, 0.0f, 0.0f}, {0x3F7FFFFB, 0, 0}},
        {100000008.0f, {0.0f, 0.0f}, {0, 0}},
        {0.0f, {0.0f, 0.0f}, {0, 0}},
        // The top state continues normally.
        {100000040.0f, {21890072.0f, 85419056.0f}, {0x3E60277D, 0x3F5AAC36}},
    };
    for (const Case& c : cases) {
        auto core = at<Urn33Core>({c.xi});
        for (std::size_t i = 0; i < c.states.size(); ++i) {
            const float sample = core();
            EXPECT_EQ(state(core).xi, c.states[i]) << c.xi << " step " << i;
            EXPECT_EQ(bits(sample), c.samples[i]) << c.xi << " step " << i;
        }
    }
}

Urn34Core started_urn34() { return Urn34Core::start(); }

std::vector<float> urn34_call(Urn34Core& core, std::size_t n) {
    std::vector<float> out(n);
    core.sequence(out);
    return out;
}

TEST(Urn34Core, PrimingAndFirstSample) {
    Urn34Core core = started_urn34();
    EXPECT_EQ(bits(state(core).xr), 0x3EE7EF9Eu);
    begin_call(core);
    const auto& tables = call_state(core);
    using Table = std::array<double, 10>;
    EXPECT_EQ(tables.w_table, (Table{44, 1936, 1585, 414, 1904, 177, 1671, 120, 1202, 1913}));
    EXPECT_EQ(tables.y_table, (Table{45, 2025, 1937, 4, 180, 2019, 1667, 16, 720, 1995}));
    EXPECT_EQ(tables.z_table, (Table{41, 1681, 819, 1531, 678, 1759, 11, 451, 464, 997}));
    // J = 453: positions 5, 6, 4 draw 1904, 2019, 1531 (case 3) and take the
    // components' new states 573, 587, 817.
    EXPECT_EQ(bits(take(core, 1)[0]), 0x3F7F04D8u);  // .9961676598
    EXPECT_EQ(tables.w_table[4], 573);
    EXPECT_EQ(tables.y_table[5], 587);
    EXPECT_EQ(tables.z_table[3], 817);
}

TEST(Urn34Core, CallsOfFiveAndOfTen) {
    Urn34Core split = started_urn34();
    const std::vector<float> first = urn34_call(split, 5);
    EXPECT_EQ(bit_patterns(first),
              (std::vector<std::uint32_t>{0x3F7F04D8, 0x3BA3EF32, 0x3CB266E9, 0x3F56F232, 0x3AE294A9}));
    EXPECT_EQ(state(split).kw, 698);
    EXPECT_EQ(state(split).ky, 321);
    EXPECT_EQ(state(split).kz, 955);
    // The second call refills its tables: .0620826967, .4869372547, ...
    EXPECT_EQ(bit_patterns(urn34_call(split, 5)),
              (std::vector<std::uint32_t>{0x3D7E4A6D, 0x3EF94FD7, 0x3F4953D4, 0x3E9E8A4D, 0x3F756BC9}));

    Urn34Core whole = started_urn34();
    const std::vector<float> ten = urn34_call(whole, 10);
    EXPECT_EQ(std::vector<float>(ten.begin(), ten.begin() + 5), first);
    // .0602313355, .0623061471, .4087210000, .1262186319, .7233019471
    const std::vector<float> later(ten.begin() + 5, ten.end());
    EXPECT_EQ(later, (std::vector<float>{0.0602313355f, 0.0623061471f, 0.4087210000f, 0.1262186319f,
                                         0.7233019471f}));
}

TEST(Urn34Core, EmptyCallStillPrimes) {
    Urn34Core core = started_urn34();
    urn34_call(core, 0);
    EXPECT_EQ(state(core).kw, 1913);
    EXPECT_EQ(state(core).ky, 1995);
    EXPECT_EQ(state(core).kz, 997);
    EXPECT_EQ(bits(state(core).xr), 0x3EE7EF9Eu);
}

TEST(Urn34Core, SampleOfOneActsAsZero) {
    Urn34Core core = started_urn34();
    begin_call(core);
    state(core).xr = 1.0f;
    const auto& tables = call_state(core);
    // Position 1 of every table: W = 44, Y = 45, Z = 41, case 3.
    EXPECT_EQ(bits(take(core, 1)[0]), 0x3CB5DF30u);
    EXPECT_EQ(tables.w_table[0], 573);
    EXPECT_EQ(tables.y_table[0], 587);
    EXPECT_EQ(tables.z_table[0], 817);
    EXPECT_EQ(tables.w_table[9], 1913);  // the rest untouched
    EXPECT_EQ(tables.y_table[9], 1995);
    EXPECT_EQ(tables.z_table[9], 997);
}

TEST(Urn34Core, LongRunThroughASampleOfOne) {
    // N = 578, M = 720: value 410 of sequence 717 is exactly 1.0.
    Urn34Core core = started_urn34();
    int ones = 0;
    for (int m = 1; m <= 720; ++m) {
        const std::vector<float> out = urn34_call(core, 578);
        for (std::size_t i = 0; i < out.size(); ++i) {
            if (out[i] == 1.0f) {
                ++ones;
                EXPECT_EQ(m, 717);
                EXPECT_EQ(i + 1, 410u);
            }
            ASSERT_GE(out[i], 0.0f);
            ASSERT_LE(out[i], 1.0f);
        }
        if (m == 717) {
            EXPECT_EQ(bits(out[408]), 0x3F5840DAu);
            EXPECT_EQ(bits(out[410]), 0x3E591C81u);  // drawn from position 1 of each table
        }
    }
    EXPECT_EQ(ones, 1);
    EXPECT_EQ(state(core).kw, 1882);
    EXPECT_EQ(state(core).ky, 969);
    EXPECT_EQ(state(core).kz, 568);
    EXPECT_EQ(bits(state(core).xr), 0x3C3A179Au);
}

}  // namespace
}  // namespace tamboril::generators
