// URN01 and URN10 cores against their worked values and independent streams.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <vector>

#include "generators/protocol.hpp"
#include "tamboril/cores/urn01.hpp"
#include "tamboril/cores/urn10.hpp"

namespace tamboril::generators {
namespace {

TEST(SeedRoutine, Urn10StartsFromOneEveryOtherNameFrom524287) {
    EXPECT_EQ(seed_ix("URN10   "), 1);
    EXPECT_EQ(seed_ix("URN10"), 1);
    EXPECT_EQ(seed_ix("URN01   "), 524287);
    EXPECT_EQ(seed_ix("URN10  x"), 524287);
}

TEST(Urn01, WorkedStatesAndSamples) {
    Urn01Core core{524287};
    const std::int32_t states[] = {221757021, 1186124402, 102129313, 647929638, 2011335576};
    for (std::int32_t expected : states) {
        float sample = 0;
        core.fill({&sample, 1});
        EXPECT_EQ(core.ix, expected);
    }
    Urn01Core fresh{524287};
    float two[2];
    fresh.fill(two);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(two[0]), 0x3DD37BE6u);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(two[1]), 0x3F0D65A5u);
}

TEST(Urn01, SplitSequencesEqualOneAndEmptyLeavesTheState) {
    Urn01Core whole{524287}, split{524287};
    std::vector<float> ten(10), a(5), b(5);
    whole.fill(ten);
    split.fill(a);
    split.fill({});
    split.fill(b);
    EXPECT_EQ(whole.ix, 717977074);
    EXPECT_EQ(split.ix, 717977074);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(ten[i], a[i]);
        EXPECT_EQ(ten[i + 5], b[i]);
    }
}

TEST(Urn01, TopStatesGiveOne) {
    for (std::int32_t state : {2147483583, 2147483646}) {
        // The state whose successor is `state`: 16807 x = state mod p.
        const std::int64_t inverse = 1407677000;  // 16807 * 1407677000 = 1 mod (2^31 - 1)
        Urn01Core core{static_cast<std::int32_t>(inverse * state % 2147483647)};
        float sample = 0;
        core.fill({&sample, 1});
        EXPECT_EQ(core.ix, state);
        EXPECT_EQ(sample, 1.0f);
    }
    Urn01Core below{static_cast<std::int32_t>(std::int64_t{1407677000} * 2147483582 % 2147483647)};
    float sample = 0;
    below.fill({&sample, 1});
    EXPECT_LT(sample, 1.0f);
}

TEST(Urn01, LongStreamAgreesWithMinstdRand0) {
    std::minstd_rand0 reference(524287);
    Urn01Core core{524287};
    std::vector<float> block(1000);
    for (int round = 0; round < 200; ++round) {
        core.fill(block);
        std::uint_fast32_t last = 0;
        for (int i = 0; i < 1000; ++i) {
            last = reference();
            ASSERT_EQ(block[static_cast<std::size_t>(i)],
                      static_cast<float>(static_cast<double>(last) / 2147483647.0));
        }
        ASSERT_EQ(static_cast<std::uint_fast32_t>(core.ix), last);
    }
}

TEST(Urn10, WorkedValuesAndPeriod2048) {
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
        ASSERT_LT(samples[i], 1.0f);
        if (i > 0 && i < 2048) {
            ASSERT_NE(samples[i], samples[0]);
        }
    }
}

}  // namespace
}  // namespace tamboril::generators
