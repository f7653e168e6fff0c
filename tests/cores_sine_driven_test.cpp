// The URN39 core: the sine-driven fractional-part recurrence and its running
// count.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "tamboril/cores/urn39.hpp"
#include "tests/support/common.hpp"
#include "tests/support/cores.hpp"

namespace tamboril::generators {
namespace {

using tamboril::testing::bits;
using tamboril::testing::state;

std::vector<float> call(Urn39Core& core, std::int32_t n) {
    tamboril::testing::begin_call(core);
    std::vector<float> out(n > 0 ? static_cast<std::size_t>(n) : 0);
    tamboril::testing::fill(core, out);
    tamboril::testing::end_call(core, n);
    return out;
}

Urn39Core started() { return Urn39Core::start(); }

TEST(Urn39Core, StartingSeed) {
    // 2 / (sqrt 5 + 1), one bit below (sqrt 5 - 1) / 2.
    EXPECT_EQ(std::bit_cast<std::uint64_t>(state(started()).seed), 0x3FE3C6EF372FE94Fu);
}

TEST(Urn39Core, WorkedValuesAndSplitCalls) {
    Urn39Core whole = started();
    const std::vector<float> five = call(whole, 5);
    std::vector<std::uint32_t> patterns;
    for (float v : five) patterns.push_back(bits(v));
    // .9795626402, .6888712645, .2094448358, .0237264801, .2063532025
    EXPECT_EQ(patterns, (std::vector<std::uint32_t>{0x3F7AC49E, 0x3F3059DE, 0x3E5678B5, 0x3CC25E09, 0x3E534E41}));
    EXPECT_EQ(state(whole).itotal39(), 5);

    Urn39Core split = started();
    std::vector<float> parts = call(split, 3);
    EXPECT_EQ(state(split).itotal39(), 3);
    const Urn39Core before_empty = split;
    call(split, 0);
    EXPECT_TRUE(split == before_empty) << "an empty call changes the state";
    const std::vector<float> rest = call(split, 2);
    parts.insert(parts.end(), rest.begin(), rest.end());
    EXPECT_EQ(parts, five);
    EXPECT_EQ(state(split).itotal39(), 5);
    EXPECT_EQ(state(split).seed, state(whole).seed);
}

TEST(Urn39Core, LongStreamMatchesHighPrecisionReference) {
    // Reference: the sine to 200 bits rounded to 64, the product rounded to
    // 64 bits and then to 53.
    if (!kExtendedSine) GTEST_SKIP() << "long double has no 64-bit significand here";
    Urn39Core core = started();
    const std::vector<float> out = call(core, 20000);
    EXPECT_EQ(bits(out[99]), 0x3ECE17A1u);
    EXPECT_EQ(bits(out[999]), 0x3F072950u);
    EXPECT_EQ(bits(out[9999]), 0x3E8E284Eu);
    EXPECT_EQ(bits(out[19999]), 0x3D7BA4B3u);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(state(core).seed), 0x3FAF749656080000u);
    EXPECT_EQ(state(core).itotal39(), 20000);
}

TEST(Urn39Core, CountPastThirtyOneBits) {
    // k runs from 2^31 - 2 to 2^31 + 2, exact, with the same recurrence.
    if (!kExtendedSine) GTEST_SKIP() << "long double has no 64-bit significand here";
    Urn39Core core;
    state(core).seed = 0.5;
    state(core).total = 2147483645;
    const std::vector<float> out = call(core, 5);
    std::vector<std::uint32_t> patterns;
    for (float v : out) patterns.push_back(bits(v));
    EXPECT_EQ(patterns, (std::vector<std::uint32_t>{0x3EFBDADE, 0x3F05D6A0, 0x3EBA3138, 0x3F687EDE, 0x3F626F78}));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(state(core).seed), 0x3FEC4DEF00000000u);
    // Shown as the low 32 bits of the count 2^31 + 2.
    EXPECT_EQ(state(core).itotal39(), -2147483646);

    // Far beyond, the state line still shows the low 32 bits.
    state(core).total = std::int64_t{1} << 62;
    call(core, 100);
    EXPECT_EQ(state(core).itotal39(), 100);
}

TEST(Urn39Core, CountFollowsNAsGiven) {
    Urn39Core core = started();
    call(core, -4);
    EXPECT_EQ(state(core).itotal39(), -4);
    EXPECT_EQ(state(core).seed, state(started()).seed);
}

}  // namespace
}  // namespace tamboril::generators
