// The seed routine and the URN01 and URN10 cores: worked values, the values
// that round to 1.0, and long streams against the plain recurrence.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "generators/protocol.hpp"
#include "tamboril/cores/urn01.hpp"
#include "tamboril/cores/urn10.hpp"
#include "tests/support/common.hpp"
#include "tests/support/cores.hpp"

namespace tamboril::generators {
namespace {

using tamboril::testing::at;
using tamboril::testing::bits;
using tamboril::testing::fill;
using tamboril::testing::state;

TEST(SeedRoutine, Urn10StartsFromOneEveryOtherNameFrom524287) {
    EXPECT_EQ(seed_ix("URN10   "), 1);
    EXPECT_EQ(seed_ix("URN10"), 1);
    EXPECT_EQ(seed_ix("URN01   "), 524287);
    EXPECT_EQ(seed_ix("URN10  x"), 524287);
}

TEST(Urn01Core, WorkedStatesAndSamples) {
    Urn01Core core;
    const std::int32_t states[] = {221757021, 1186124402, 102129313, 647929638, 2011335576};
    std::vector<float> samples;
    for (std::int32_t expected : states) {
        float sample = 0;
        fill(core, {&sample, 1});
        samples.push_back(sample);
        EXPECT_EQ(state(core).ix, expected);
    }
    EXPECT_EQ(bits(samples[0]), 0x3DD37BE6u);
    EXPECT_EQ(bits(samples[1]), 0x3F0D65A5u);
    std::vector<float> five(5);
    fill(core, five);
    EXPECT_EQ(state(core).ix, 717977074);
}

TEST(Urn01Core, SplitSequencesEqualOneAndEmptyLeavesTheState) {
    Urn01Core whole, split;
    std::vector<float> ten(10), a(5), b(5);
    fill(whole, ten);
    fill(split, a);
    fill(split, {});
    fill(split, b);
    EXPECT_EQ(split, whole);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(ten[i], a[i]);
        EXPECT_EQ(ten[i + 5], b[i]);
    }
}

TEST(Urn01Core, TopStatesGiveOne) {
    // The state whose successor is `state`: 16807 x = state mod p.
    const std::int64_t inverse = 1407677000;  // 16807 * 1407677000 = 1 mod (2^31 - 1)
    for (std::int32_t top : {2147483583, 2147483646}) {
        auto core = at<Urn01Core>({static_cast<std::int32_t>(inverse * top % 2147483647)});
        float sample = 0;
        fill(core, {&sample, 1});
        EXPECT_EQ(state(core).ix, top);
        EXPECT_EQ(sample, 1.0f);
    }
    auto below = at<Urn01Core>({static_cast<std::int32_t>(inverse * 2147483582 % 2147483647)});
    float sample = 0;
    fill(below, {&sample, 1});
    EXPECT_LT(sample, 1.0f);
}

// The core's integer remainder against the double-precision fmod recurrence,
// bit for bit, from the seed and from the ends of the range of seeds.
TEST(Urn01Core, SameStreamAsTheFmodRecurrence) {
    for (const std::int32_t start : {524287, 1, 2147483646, 2147483583, 16807}) {
        Urn01Core core;
        core.seed(static_cast<std::uint64_t>(start));
        std::vector<float> samples(1000003);
        // Blocks of uneven length continue one stream.
        fill(core, std::span<float>(samples).first(4096));
        fill(core, std::span<float>(samples).subspan(4096));
        double x = start;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            x = std::fmod(x * 16807.0, 2147483647.0);
            const auto want = static_cast<float>(x / 2147483647.0);
            ASSERT_EQ(bits(samples[i]), bits(want)) << start << " step " << i;
        }
        EXPECT_EQ(state(core).ix, static_cast<std::int32_t>(x)) << start;
    }
}

// One step from the states at both ends of the range, where the folded
// remainder needs its final subtraction or none.
TEST(Urn01Core, OneStepAtTheEnds) {
    for (std::int64_t k = 1; k < 20000; ++k) {
        const auto start = static_cast<std::int32_t>(k < 10000 ? k : 2147483646 - (k - 10000));
        auto core = at<Urn01Core>({start});
        float sample = 0;
        fill(core, std::span<float>(&sample, 1));
        const double x = std::fmod(start * 16807.0, 2147483647.0);
        ASSERT_EQ(state(core).ix, static_cast<std::int32_t>(x)) << start;
        ASSERT_EQ(bits(sample), bits(static_cast<float>(x / 2147483647.0))) << start;
    }
}

TEST(Urn10Core, WorkedValuesAndPeriod2048) {
    Urn10Core core;
    std::vector<float> samples(2049);
    fill(core, {samples.data(), 6});
    EXPECT_EQ(state(core).ix, 2521);
    EXPECT_EQ(samples[0], 0.0152587890625f);
    EXPECT_EQ(samples[1], 0.9073486328125f);
    EXPECT_EQ(samples[2], 0.4185791015625f);
    fill(core, {samples.data() + 6, 4});
    EXPECT_EQ(state(core).ix, 6057);
    fill(core, {samples.data() + 10, 2039});
    EXPECT_EQ(samples[2048], samples[0]);
    std::uint32_t x = 1;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        x = x * 125u % 8192u;
        ASSERT_EQ(samples[i], static_cast<float>(x) / 8192.0f);
        if (i > 0 && i < 2048) {
            ASSERT_NE(samples[i], samples[0]);
        }
    }
}

}  // namespace
}  // namespace tamboril::generators
