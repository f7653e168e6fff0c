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

namespace tamboril::generators {
namespace {

using tamboril::testing::bits;

TEST(SeedRoutine, Urn10StartsFromOneEveryOtherNameFrom524287) {
    EXPECT_EQ(seed_ix("URN10   "), 1);
    EXPECT_EQ(seed_ix("URN10"), 1);
    EXPECT_EQ(seed_ix("URN01   "), 524287);
    EXPECT_EQ(seed_ix("URN10  x"), 524287);
}

TEST(Urn01Core, WorkedStatesAndSamples) {
    Urn01Core core{524287};
    const std::int32_t states[] = {221757021, 1186124402, 102129313, 647929638, 2011335576};
    std::vector<float> samples;
    for (std::int32_t expected : states) {
        float sample = 0;
        core.fill({&sample, 1});
        samples.push_back(sample);
        EXPECT_EQ(core.ix, expected);
    }
    EXPECT_EQ(bits(samples[0]), 0x3DD37BE6u);
    EXPECT_EQ(bits(samples[1]), 0x3F0D65A5u);
    std::vector<float> five(5);
    core.fill(five);
    EXPECT_EQ(core.ix, 717977074);
}

TEST(Urn01Core, SplitSequencesEqualOneAndEmptyLeavesTheState) {
    Urn01Core whole{524287}, split{524287};
    std::vector<float> ten(10), a(5), b(5);
    whole.fill(ten);
    split.fill(a);
    split.fill({});
    split.fill(b);
    EXPECT_EQ(split.ix, whole.ix);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(ten[i], a[i]);
        EXPECT_EQ(ten[i + 5], b[i]);
    }
}

TEST(Urn01Core, TopStatesGiveOne) {
    // The state whose successor is `state`: 16807 x = state mod p.
    const std::int64_t inverse = 1407677000;  // 16807 * 1407677000 = 1 mod (2^31 - 1)
    for (std::int32_t state : {2147483583, 2147483646}) {
        Urn01Core core{static_cast<std::int32_t>(inverse * state % 2147483647)};
        float sample = 0;
        core.fill({&sample, 1});
        EXPECT_EQ(core.ix, state);
        EXPECT_EQ(sample, 1.0f);
    }
    Urn01Core below{static_cast<std::int32_t>(inverse * 2147483582 % 2147483647)};
    float sample = 0;
    below.fill({&sample, 1});
    EXPECT_LT(sample, 1.0f);
}

// The core's integer remainder against the double-precision fmod recurrence,
// bit for bit, from the seed and from states no run reaches.
TEST(Urn01Core, SameStreamAsTheFmodRecurrence) {
    // Negative states never come from the seed; they take the literal recurrence.
    for (const std::int32_t start : {524287, 1, 2147483646, 2147483583, 0, 16807, 2147483647, -1,
                                     -2147483647 - 1}) {
        Urn01Core core{start};
        std::vector<float> samples(1000003);
        // Blocks of uneven length continue one stream.
        core.fill(std::span<float>(samples).first(4096));
        core.fill(std::span<float>(samples).subspan(4096));
        double x = start;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            x = std::fmod(x * 16807.0, 2147483647.0);
            const auto want = static_cast<float>(x / 2147483647.0);
            ASSERT_EQ(bits(samples[i]), bits(want)) << start << " step " << i;
        }
        EXPECT_EQ(core.ix, static_cast<std::int32_t>(x)) << start;
    }
}

// One step from the states at both ends of the range, where the folded
// remainder needs its final subtraction or none.
TEST(Urn01Core, OneStepAtTheEnds) {
    for (std::int64_t k = 0; k < 20000; ++k) {
        const auto start = static_cast<std::int32_t>(k < 10000 ? k : 2147483646 - (k - 10000));
        Urn01Core core{start};
        float sample = 0;
        core.fill(std::span<float>(&sample, 1));
        const double x = std::fmod(start * 16807.0, 2147483647.0);
        ASSERT_EQ(core.ix, static_cast<std::int32_t>(x)) << start;
        ASSERT_EQ(bits(sample), bits(static_cast<float>(x / 2147483647.0))) << start;
    }
}

TEST(Urn10Core, WorkedValuesAndPeriod2048) {
    Urn10Core core{1};
    std::vector<float> samples(2049);
    core.fill({samples.data(), 6});
    EXPECT_EQ(core.ix, 2521);
    EXPECT_EQ(samples[0], 0.0152587890625f);
    EXPECT_EQ(samples[1], 0.9073486328125f);
    EXPECT_EQ(samples[2], 0.4185791015625f);
    core.fill({samples.data() + 6, 4});
    EXPECT_EQ(core.ix, 6057);
    core.fill({samples.data() + 10, 2039});
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
