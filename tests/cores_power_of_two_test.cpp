// The cores of the power-of-two generators URN31, URN32, URN36, URN37 and
// URN38 and of the combined URN35: worked values, edge cases and long streams
// against independent 64-bit formulations.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "tamboril/cores/urn31_urn32.hpp"
#include "tamboril/cores/urn35.hpp"
#include "tamboril/cores/urn36.hpp"
#include "tamboril/cores/urn37.hpp"
#include "tamboril/cores/urn38.hpp"
#include "tests/support/common.hpp"
#include "tests/support/cores.hpp"

namespace tamboril::generators {
namespace {

using tamboril::testing::at;
using tamboril::testing::bits;
using tamboril::testing::fill;
using tamboril::testing::state;

template <typename Core>
std::vector<std::uint32_t> sample_bits(Core& core, std::size_t count) {
    std::vector<float> out(count);
    fill(core, out);
    std::vector<std::uint32_t> result;
    for (float v : out) result.push_back(bits(v));
    return result;
}

constexpr long kLongStream = 200000;

// |P rem M| with the product formed in 64 bits and wrapped to 32.
template <class Core>
std::int32_t wrapped_remainder(std::int32_t ixx) {
    const std::int64_t product = static_cast<std::int64_t>(ixx) * Core::kMultiplier;
    const auto p = static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(product)));
    return static_cast<std::int32_t>(std::llabs(static_cast<std::int64_t>(p) % Core::kModulus));
}

// IXX after one value from `ixx`.
template <class Core>
std::int32_t one_step(std::int32_t ixx) {
    auto core = at<Core>({ixx});
    core();
    return state(core).ixx;
}

template <class Core>
struct PowerOfTwoCase {
    std::vector<std::int32_t> first_states;
    std::vector<std::uint32_t> samples;  // 0.8709518313, ... as single precision
    std::int32_t after_five;
};

template <class Core>
void check_worked_values(const PowerOfTwoCase<Core>& c) {
    std::int32_t ixx = 1234567;
    for (std::int32_t expected : c.first_states) EXPECT_EQ(ixx = one_step<Core>(ixx), expected);
    Core core;
    EXPECT_EQ(sample_bits(core, 5), c.samples);
    EXPECT_EQ(state(core).ixx, c.after_five);
}

TEST(Urn31Urn32Core, WorkedValues) {
    check_worked_values<Urn31Core>(
        {{14612147, 12900657}, {0x3F5EF6B3, 0x3F44D931, 0x3F66CF9B, 0x3E8521AE, 0x3F47D2BD}, 13095613});
    check_worked_values<Urn32Core>(
        {{7605615}, {0x3E681ADE, 0x3D9D405C, 0x3E6390FE, 0x3DC8429C, 0x3F535948}, 27701903});
}

template <class Core>
void check_long_stream() {
    Core core;
    std::int32_t expected = 1234567;
    for (long i = 0; i < kLongStream; ++i) {
        expected = wrapped_remainder<Core>(expected);
        const float sample = core();
        ASSERT_EQ(state(core).ixx, expected) << "step " << i;
        ASSERT_EQ(expected % 2, 1);  // odd states only: never 0
        ASSERT_GT(sample, 0.0f);
        if (Core::kModulus == Urn31Core::kModulus) {
            ASSERT_EQ(std::ldexp(static_cast<double>(sample), 24), expected);  // exact multiple of 2^-24
        }
    }
    // Every old state, not only the reachable ones: even and negative ones too.
    for (std::int32_t ixx : {0, 2, -1, -1234567, INT32_MIN, INT32_MAX, 16777215, 33554431}) {
        EXPECT_EQ(one_step<Core>(ixx), wrapped_remainder<Core>(ixx)) << ixx;
    }
}

TEST(Urn31Urn32Core, LongStreamsMatchWrappedRemainder) {
    check_long_stream<Urn31Core>();
    check_long_stream<Urn32Core>();
}

TEST(Urn31Urn32Core, TopStateOfUrn32GivesOne) {
    // 3513383 x -1512444823 wraps to 2^25 - 1.
    auto core = at<Urn32Core>({-1512444823});
    const float sample = core();
    EXPECT_EQ(state(core).ixx, 33554431);
    EXPECT_EQ(sample, 1.0f);
}

TEST(Urn35Core, WorkedValuesAndState) {
    Urn35Core core;
    EXPECT_EQ(sample_bits(core, 5),
              (std::vector<std::uint32_t>{0x3C60459C, 0x3D3191D7, 0x3DD5E4C6, 0x3EF98580, 0x3E801950}));
    EXPECT_EQ(state(core).kw, 20947);
    EXPECT_EQ(state(core).ky, 21133);
    EXPECT_EQ(state(core).kz, 30743);
    EXPECT_EQ(bits(state(core).xr), 0x3E801950u);
}

TEST(Urn35Core, LongStreamMatchesThreeEngines) {
    std::linear_congruential_engine<std::uint32_t, 157, 0, 32363> w(1);
    std::linear_congruential_engine<std::uint32_t, 146, 0, 31727> y(1);
    std::linear_congruential_engine<std::uint32_t, 142, 0, 31657> z(1);
    Urn35Core core;
    float low = 1.0f, high = 0.0f;
    for (long i = 0; i < kLongStream; ++i) {
        const std::uint32_t s = (w() + y() + z() - 3) % 32362;
        const float sample = core();
        ASSERT_EQ(sample, static_cast<float>((s + 1) / 32363.0)) << i;
        low = std::min(low, sample);
        high = std::max(high, sample);
    }
    EXPECT_GT(low, 0.0f);
    EXPECT_LT(high, 1.0f);
}

TEST(Urn35Core, ExtremeSamples) {
    // Old states stepping to (1, 1, 1): S = 0, the smallest sample 1/32363.
    auto smallest = at<Urn35Core>({29271, 28902, 17612, 0.0f});
    EXPECT_EQ(smallest(), 0x1.033422p-15f);  // .0000308995
    // Stepping to (32362, 1, 1): S = 32361, the largest sample 32362/32363.
    auto largest = at<Urn35Core>({3092, 28902, 17612, 0.0f});
    EXPECT_EQ(largest(), 0x1.fffbf4p-1f);  // .9999691248
    EXPECT_EQ(state(largest).kw, 32362);
}

TEST(Urn36Core, WorkedValues) {
    Urn36Core core;
    EXPECT_EQ(state(core).intin(), (std::array<std::int32_t, 5>{32767, 0, 32767, 37252, 29589}));
    std::vector<float> out(5);
    fill(core, std::span<float>(out).first(1));
    EXPECT_EQ(state(core).xh, 123408);  // X = 4043836523
    EXPECT_EQ(state(core).xl, 3179);
    fill(core, std::span<float>(out).subspan(1));
    const std::vector<float> expected{3856 / 32768.0f, 9861 / 32768.0f, 24009 / 32768.0f, 1210 / 32768.0f,
                                      6406 / 32768.0f};
    EXPECT_EQ(out, expected);
    EXPECT_EQ(state(core).intin(), (std::array<std::int32_t, 5>{32767, 205023, 25851, 37252, 29589}));
}

TEST(Urn36Urn37Urn38Core, LongStreamsMatch64BitArithmetic) {
    Urn36Core u36;
    Urn37Core u37;
    Urn38Core u38;
    std::uint64_t x35 = 32767, x31 = 32767;
    for (long i = 0; i < kLongStream; ++i) {
        // 2^35 and 2^31 divide 2^64, so the wrapped 64-bit product reduces right.
        x35 = (x35 * 1220703125u) % (std::uint64_t{1} << 35);
        x31 = (x31 * 1220703125u) % (std::uint64_t{1} << 31);
        const float s36 = u36();
        const float s37 = u37();
        const float s38 = u38();
        ASSERT_EQ(state(u36).xh, static_cast<std::int32_t>(x35 >> 15)) << i;
        ASSERT_EQ(state(u36).xl, static_cast<std::int32_t>(x35 & 0x7FFF)) << i;
        ASSERT_EQ(s36, std::ldexp(static_cast<float>(x35 >> 20), -15)) << i;
        ASSERT_EQ(state(u37).intin1, static_cast<std::int32_t>(x31)) << i;
        ASSERT_EQ(state(u37).intin1 % 4, 3);
        ASSERT_EQ(s37, static_cast<float>(std::ldexp(static_cast<double>(x31), -31))) << i;
        ASSERT_EQ(state(u38).intin1, state(u36).xl) << i;  // the low part is URN38's state
        ASSERT_EQ(s38, std::ldexp(static_cast<float>(state(u38).intin1), -15));
        ASSERT_GT(s38, 0.0f);
    }
    // From any 35-bit state, not only reachable ones.
    for (std::uint64_t x : {std::uint64_t{0}, std::uint64_t{1}, (std::uint64_t{1} << 35) - 1, std::uint64_t{0x5A5A5A5A5}}) {
        auto core = at<Urn36Core>({32767, static_cast<std::int32_t>(x >> 15), static_cast<std::int32_t>(x & 0x7FFF)});
        core();
        const std::uint64_t next = (x * 1220703125u) % (std::uint64_t{1} << 35);
        EXPECT_EQ(state(core).xh, static_cast<std::int32_t>(next >> 15)) << x;
        EXPECT_EQ(state(core).xl, static_cast<std::int32_t>(next & 0x7FFF)) << x;
    }
}

TEST(Urn37Core, WorkedValuesAndTopStates) {
    Urn37Core core;
    std::vector<std::int32_t> states;
    std::vector<std::uint32_t> samples;
    for (int i = 0; i < 5; ++i) {
        samples.push_back(bits(core()));
        states.push_back(state(core).intin1);
    }
    EXPECT_EQ(states, (std::vector<std::int32_t>{1896352875, 1750682439, 1553446227, 1269224015, 275768571}));
    EXPECT_EQ(samples, (std::vector<std::uint32_t>{0x3F621019, 0x3F50B297, 0x3F392F6B, 0x3F174DA5, 0x3E037F28}));
    // Old states whose successors are 2^31 - 64 and 2^31 - 65.
    auto top = at<Urn37Core>({1865420992});
    EXPECT_EQ(top(), 1.0f);
    EXPECT_EQ(state(top).intin1, 2147483584);
    auto below = at<Urn37Core>({2028785923});
    EXPECT_EQ(below(), 0x1.fffffep-1f);
    EXPECT_EQ(state(below).intin1, 2147483583);
}

TEST(Urn38Core, WorkedValuesAndPeriod) {
    Urn38Core core;
    std::vector<float> out(8193);
    fill(core, out);
    EXPECT_EQ(std::vector<float>(out.begin(), out.begin() + 5),
              (std::vector<float>{0.097015380859375f, 0.588104248046875f, 0.416595458984375f, 0.643035888671875f,
                                  0.788909912109375f}));
    EXPECT_EQ(out[8192], out[0]);
    Urn38Core again;
    for (int i = 1; i < 8192; ++i) {
        again();
        ASSERT_NE(state(again).intin1, 32767) << i;
        ASSERT_EQ(state(again).intin1 % 2, 1);
    }
    again();
    EXPECT_EQ(state(again).intin1, 32767);
}

}  // namespace
}  // namespace tamboril::generators
