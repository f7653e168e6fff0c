// The cores of the mixed, shuffled, additive, decomposed-product and
// multiple-stream generators URN11 to URN14, URN21, URN22, URN28 and URN30:
// worked values, edge cases, and long runs against independent formulations.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

#include "tamboril/cores/urn11.hpp"
#include "tamboril/cores/urn12.hpp"
#include "tamboril/cores/urn13.hpp"
#include "tamboril/cores/urn14.hpp"
#include "tamboril/cores/urn21.hpp"
#include "tamboril/cores/urn22.hpp"
#include "tamboril/cores/urn28.hpp"
#include "tamboril/cores/urn30.hpp"
#include "tests/support/common.hpp"
#include "tests/support/cores.hpp"

namespace tamboril::generators {
namespace {

using tamboril::testing::at;
using tamboril::testing::begin_call;
using tamboril::testing::bits;
using tamboril::testing::end_call;
using tamboril::testing::state;
using tamboril::testing::take;

// First samples from the starting state, as single-precision bit patterns
// (their ten-decimal forms are the worked values of each generator). `run`
// fills blocks of the given sizes one after the other from one state.
using Blocks = std::vector<std::size_t>;
struct FirstSamples {
    const char* name;
    std::function<std::vector<float>(const Blocks&)> run;
    std::vector<std::uint32_t> expected;
};

template <typename Core>
std::vector<float> fill_blocks(Core& core, const Blocks& blocks) {
    std::vector<float> out;
    for (std::size_t size : blocks) {
        const auto block = take(core, size);
        out.insert(out.end(), block.begin(), block.end());
    }
    return out;
}

template <typename Core>
std::function<std::vector<float>(const Blocks&)> from_start() {
    return [](const Blocks& blocks) {
        Core core;
        return fill_blocks(core, blocks);
    };
}

std::function<std::vector<float>(const Blocks&)> urn30_stream(std::int32_t k) {
    return [k](const Blocks& blocks) {
        auto core = at<Urn30Core>({k - 1, 0});
        begin_call(core);
        return fill_blocks(core, blocks);
    };
}

TEST(ShuffledMixedStreamCores, FirstSamplesFromTheStartingState) {
    const std::vector<FirstSamples> cases = {
        {"URN14", from_start<Urn14Core>(),
         {0x3f5d1aa4, 0x3f0abf68, 0x3db7a979, 0x3e88fbb8, 0x3dfebba2, 0x3d0b83be}},
        {"URN11", from_start<Urn11Core>(),
         {0x3e57ea4c, 0x3e4e9dbd, 0x3f0a00b2, 0x3f0cb21b, 0x3f0c6fa4, 0x3f61ff37, 0x3ebfe9e8,
          0x3f08ebe8}},
        {"URN12", from_start<Urn12Core>(),
         {0x3e57ea4c, 0x3e4e9dbd, 0x3f0a00b2, 0x3f0cb21b, 0x3f0c6fa4, 0x3f61ff37, 0x3f200b0c,
          0x3eee2831}},
        {"URN13", from_start<Urn13Core>(),
         {0x3f4bda00, 0x3f57f400, 0x3d3bc000, 0x3e147800, 0x3e5b4800, 0x3eed3400}},
        {"URN21", from_start<Urn21Core>(),
         {0x3dab47dd, 0x3f58e075, 0x3eea1434, 0x3ec6a716, 0x3f313efe, 0x3f099d87}},
        {"URN22", from_start<Urn22Core>(),
         {0x3f3ab004, 0x3ee6e62b, 0x3ec1d5da, 0x3eef06d7, 0x3f4c96b4, 0x3e41b87a}},
        {"URN28", from_start<Urn28Core>(),
         {0x37034e00, 0x3e06b1d8, 0x3f416f5a, 0x3eead431, 0x3f08636f, 0x3e6036d6}},
        {"URN30 stream 1", urn30_stream(1),
         {0x3e41475c, 0x3e84d51e, 0x3f13f847, 0x3f253df3, 0x3e7b30ac, 0x3f5b6d63}},
        {"URN30 stream 2", urn30_stream(2),
         {0x3f17c707, 0x3edf773e, 0x3f0e7bdf, 0x3f1e2f4f, 0x3f44dcfd, 0x3f185d8b}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(bits(c.run({c.expected.size()})), c.expected);
        // Cut into blocks, a stream continues where the last block stopped.
        const std::size_t rest = c.expected.size() - 3;
        EXPECT_EQ(bits(c.run({1, 0, 2, rest})), c.expected);
        EXPECT_EQ(bits(c.run({0, c.expected.size()})), c.expected) << "an empty block first moves the stream";
    }
}

TEST(ShuffledMixedStreamCores, StatesAfterFiveSamples) {
    Urn14Core u14;
    const auto& t = state(u14).table;
    EXPECT_EQ(state(u14).ix, 197249728);
    EXPECT_EQ((std::vector<std::int32_t>{t[0], t[1], t[2], t[3]}),
              (std::vector<std::int32_t>{453816693, 859273406, 1973808427, 2059993932}));
    EXPECT_EQ((std::vector<std::int32_t>{t[60], t[61], t[62], t[63]}),
              (std::vector<std::int32_t>{613106937, 435722834, 265606415, 197249728}));
    take(u14, 5);
    EXPECT_EQ(state(u14).ix, 161119153);
    EXPECT_EQ(state(u14).jx, 12779);

    Urn11Core u11;
    std::vector<std::int32_t> states;
    for (int i = 0; i < 7; ++i) {
        take(u11, 1);
        states.push_back(state(u11).ix);
    }
    EXPECT_EQ(states, (std::vector<std::int32_t>{452807053, 433305513, 1157650709, 1180241297,
                                                 1178063325, 1895799737, 804944411}));

    Urn12Core u12;
    take(u12, 7);
    EXPECT_EQ(state(u12).ix, 1342539237);
    take(u12, 1);
    EXPECT_EQ(state(u12).ix, 998902817);

    Urn13Core u13;
    EXPECT_EQ(state(u13).intin(), (std::array<std::int32_t, 5>{524287, 15, 32767, 20251, 24173}));
    take(u13, 5);
    EXPECT_EQ(state(u13).intin(), (std::array<std::int32_t, 5>{524287, 28071, 26563, 20251, 24173}));

    Urn21Core u21;
    take(u21, 1);
    EXPECT_EQ(state(u21).m3, 8363316);
    take(u21, 4);
    EXPECT_EQ(state(u21).m1, 45718539);
    EXPECT_EQ(state(u21).m2, 38799351);
    EXPECT_EQ(state(u21).m3, 69236743);

    Urn22Core u22;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(state(u22).m1), 0x417E866630000000u);
    take(u22, 5);
    EXPECT_EQ(state(u22).m1, 3432428692.0);

    Urn28Core u28;
    take(u28, 5);
    EXPECT_EQ(state(u28).ix, 1144108930);
    take(u28, 1);
    EXPECT_EQ(state(u28).ix, 470211272);
}

TEST(Urn14Core, SelectorNeverKeeps32768) {
    // 14920 is the one value whose step gives 32768; the step is then taken
    // again from 32768.
    std::vector<std::int32_t> selectors;
    for (std::int32_t j = 0; selectors.size() < 5; selectors.push_back(j)) j = Urn14Core::select(j);
    EXPECT_EQ(selectors, (std::vector<std::int32_t>{6925, 24773, 20775, 27700, 12779}));
    EXPECT_EQ(Urn14Core::select(32768), 28770);
    EXPECT_EQ(Urn14Core::select(14920), Urn14Core::select(32768));
    for (std::int32_t j = 0; j <= 32768; ++j) {
        const std::int32_t next = Urn14Core::select(j);
        ASSERT_GE(next, 0);
        ASSERT_LT(next, 32768);
    }
}

TEST(Urn14Core, SamplesReachOneOnlyFromTheTopEntries) {
    Urn14Core core;
    state(core).table.fill(2147483584);  // 2^31 - 64
    EXPECT_EQ(take(core, 1)[0], 1.0f);
    state(core).table.fill(2147483583);
    EXPECT_LT(take(core, 1)[0], 1.0f);
}

TEST(Urn14Core, MainRecurrenceIsModulo2To31) {
    std::uint64_t x = 0;
    std::int32_t ix = 0;
    for (int i = 0; i < 200000; ++i) {
        x = (266245u * x + 453816693u) % (1u << 31);
        ix = Urn14Core::step(ix);
        ASSERT_EQ(static_cast<std::uint64_t>(ix), x) << "step " << i;
    }
}

TEST(Urn11Urn12Core, FoldNegativeProductsDifferently) {
    // L IX wraps to -2147483584 from IX = -1878503104, to +2147483584 from
    // 1878503104; 2^31 - 64 in single precision is 2^31.
    Urn11Core u11;
    state(u11).ix = -1878503104;
    EXPECT_EQ(take(u11, 1)[0], 1.0f);
    EXPECT_EQ(state(u11).ix, 2147483584);
    state(u11).ix = 4747909;  // wraps to -2147483583
    EXPECT_LT(take(u11, 1)[0], 1.0f);

    Urn12Core u12;
    state(u12).ix = -1878503104;
    EXPECT_EQ(take(u12, 1)[0], 64.0f / 2147483648.0f);
    EXPECT_EQ(state(u12).ix, 64);
    state(u12).ix = 1878503104;
    EXPECT_EQ(take(u12, 1)[0], 1.0f);
    state(u12).ix = -4747909;  // wraps to 2147483583
    EXPECT_LT(take(u12, 1)[0], 1.0f);

    // A zero remainder stays 0 in URN11 and becomes ZZ2 in URN12, whose
    // truncation to 32 bits is -2^31.
    state(u11).ix = 0;
    EXPECT_EQ(take(u11, 1)[0], 0.0f);
    EXPECT_EQ(state(u11).ix, 0);
    state(u12).ix = 0;
    EXPECT_EQ(take(u12, 1)[0], 1.0f);
    EXPECT_EQ(state(u12).ix, INT32_MIN);
}

TEST(Urn11Urn12Core, KeepTheLow32BitsOfWideValues) {
    // A remainder beyond the 32-bit range (as a wide modulus and a large
    // constant would give) converts to its low 32 bits.
    EXPECT_EQ(truncate_to_int32(6000000000.0), static_cast<std::int32_t>(6000000000 - 4294967296));
    // 452807053 - 1e10 is negative; adding 2^40 gives 1089964434829.
    const std::int64_t x = 452807053LL - 10000000000LL + 1099511627776LL;
    EXPECT_EQ(truncate_to_int32(static_cast<double>(x)), static_cast<std::int32_t>(static_cast<std::uint32_t>(x)));
}

TEST(Urn12Core, IsMultiplicativeModulo2To31) {
    Urn12Core core;
    std::uint64_t x = 1;
    std::vector<float> samples(1000);
    for (int block = 0; block < 200; ++block) {
        core.sequence(samples);
        for (float s : samples) {
            x = 452807053u * x % (1u << 31);
            ASSERT_EQ(s, static_cast<float>(static_cast<double>(x) / 2147483648.0));
        }
        ASSERT_EQ(static_cast<std::uint64_t>(state(core).ix), x);
    }
}

TEST(Urn13Core, IsMultiplicativeModulo2To32) {
    Urn13Core core;
    std::uint64_t x = 524287;
    std::vector<float> samples(1000);
    for (int block = 0; block < 200; ++block) {
        core.sequence(samples);
        for (float s : samples) {
            x = 663608941u * x % (1ull << 32);
            ASSERT_EQ(s, static_cast<float>(x >> 17) / 32768.0f);
        }
        const std::uint64_t whole = static_cast<std::uint64_t>(state(core).xh) * 32768 +
                                    static_cast<std::uint64_t>(state(core).xl);
        ASSERT_EQ(whole, x);
        ASSERT_EQ(state(core).xl % 2, 1);
    }
    EXPECT_EQ(state(core).x0, 524287);
}

TEST(Urn13Core, ReducesByShifting) {
    struct Case { std::int32_t v; int k; std::int32_t expected; };
    const Case cases[] = {{524287, 15, 32767}, {663608941, 15, 24173}, {-1, 17, 131071},
                          {INT32_MIN, 2, 0},   {-5, 2, 3},             {131072 + 7, 17, 7},
                          {INT32_MAX, 15, 32767}};
    for (const Case& c : cases) EXPECT_EQ(low_bits(c.v, c.k), c.expected) << c.v;
}

TEST(Urn21Core, IncrementAndReduction) {
    struct Case { std::int32_t m1, m2, m3, sum; };
    const Case cases[] = {
        {60000000, 10000000, 60000000, 30001357},  // middle word below the threshold
        {10000000, 60000000, 10000000, 80000000},  // outer words below it: no increment
        {99999999, 99999999, 99999999, 99999997},  // two subtractions
        {0, 49999999, 0, 50001356},
        {0, 50000000, 0, 50000000},
    };
    for (const Case& c : cases) {
        auto core = at<Urn21Core>({c.m1, c.m2, c.m3});
        take(core, 1);
        EXPECT_EQ(state(core).m3, c.sum);
        EXPECT_EQ(state(core).m2, c.m3);
        EXPECT_EQ(state(core).m1, c.m2);
    }
    // The newest word 99999998 or 99999999 gives 1.0, 99999997 does not.
    for (std::int32_t target : {99999997, 99999998, 99999999}) {
        auto core = at<Urn21Core>({0, 50000000, target - 50000000});
        EXPECT_EQ(take(core, 1)[0] == 1.0f, target != 99999997) << target;
    }
}

TEST(Urn22Core, TopOfRange) {
    // 69069 x + 1 gives 2^32 - 60 from 2029925327, 2^32 - 61 from 3541798090.
    auto core = at<Urn22Core>({2029925327.0});
    EXPECT_EQ(take(core, 1)[0], 1.0f);
    EXPECT_EQ(state(core).m1, 4294967236.0);
    state(core).m1 = 3541798090.0;
    EXPECT_EQ(std::bit_cast<std::uint32_t>(take(core, 1)[0]), 0x3f7fffffu);
    EXPECT_EQ(state(core).m1, 4294967235.0);
}

TEST(Urn22Core, IsMixedModulo2To32) {
    Urn22Core core;
    std::uint32_t x = 32007779;
    std::vector<float> samples(1000);
    for (int block = 0; block < 200; ++block) {
        core.sequence(samples);
        for (int i = 0; i < 1000; ++i) x = 69069u * x + 1u;
        ASSERT_EQ(state(core).m1, static_cast<double>(x));
    }
}

TEST(Urn28Core, MatchesTheMinimalStandardEngine) {
    Urn28Core core;
    std::minstd_rand0 engine(1);
    std::vector<float> samples(10000);
    for (int block = 0; block < 20; ++block) {
        core.sequence(samples);
        std::uint_fast32_t x = 0;
        for (float s : samples) {
            x = engine();
            ASSERT_EQ(s, static_cast<float>(static_cast<double>(x) / 2147483648.0));
        }
        ASSERT_EQ(static_cast<std::uint_fast32_t>(state(core).ix), x);
        // The standard fixes the 10000th value from seed 1.
        if (block == 0) {
            EXPECT_EQ(state(core).ix, 1043618065);
        }
    }
}

TEST(Urn28Core, TopOfRange) {
    auto core = at<Urn28Core>({1510662174});  // next state 2^31 - 64
    EXPECT_EQ(take(core, 1)[0], 1.0f);
    EXPECT_EQ(state(core).ix, 2147483584);
    state(core).ix = 102985174;  // next state 2^31 - 65
    EXPECT_LT(take(core, 1)[0], 1.0f);
}

TEST(DecomposedProduct, IsExact) {
    constexpr std::int64_t p = 2147483647;
    std::vector<std::int32_t> zs = {1, 2, 65535, 65536, 65537, 32767, 32768, 2147483646, 2147418111,
                                    2147418112, 1073741823, 1073741824};
    for (std::int64_t z = 1; z < p; z += 1009) zs.push_back(static_cast<std::int32_t>(z));
    for (std::int32_t z = 1; z < 200000; ++z) zs.push_back(z);
    for (std::int32_t z = 2147483646; z > 2147483646 - 200000; --z) zs.push_back(z);
    for (std::int32_t a : {16807, 24112, 26143, 1, 32767}) {
        for (std::int32_t z : zs) {
            ASSERT_EQ(decomposed_mod_product(a, z), a * static_cast<std::int64_t>(z) % p)
                << a << " x " << z;
        }
    }
    EXPECT_EQ(decomposed_mod_product(16807, 2147483646), 2147483647 - 16807);
}

std::int64_t power_mod(std::int64_t base, std::int64_t exponent, std::int64_t modulus) {
    std::int64_t result = 1;
    for (base %= modulus; exponent > 0; exponent >>= 1, base = base * base % modulus) {
        if (exponent & 1) result = result * base % modulus;
    }
    return result;
}

TEST(Urn30Core, StreamSeedsFollowTheRounds) {
    // The seed of stream k is k rounds from 1973272912, each round three
    // products by 715, 1058 and 1385 reduced modulo 2^31 - 1 in double
    // precision; and so 1973272912 x 1047710950^k mod (2^31 - 1).
    double s = 1973272912.0;
    for (std::int32_t k = 1; k <= 200000; ++k) {
        for (double factor : {715.0, 1058.0, 1385.0}) s = std::fmod(s * factor, 2147483647.0);
        const std::int64_t expected =
            1973272912LL * power_mod(1047710950, k, 2147483647) % 2147483647;
        ASSERT_EQ(static_cast<std::int64_t>(s), expected) << k;
        ASSERT_EQ(Urn30Core::stream_seed(k), expected) << k;
    }
    EXPECT_EQ(Urn30Core::stream_seed(2), 20006270);
    EXPECT_EQ(Urn30Core::stream_seed(1), 281629770);
    // A stream number past 2^31 - 1 wraps to a negative one, which opens
    // the base seed.
    EXPECT_EQ(Urn30Core::stream_seed(0), 1973272912);
    EXPECT_EQ(Urn30Core::stream_seed(INT32_MIN), 1973272912);
}

TEST(Urn30Core, EveryCallOpensTheNextStream) {
    Urn30Core core;
    begin_call(core);  // N = 0: the stream still opens
    end_call(core, 0);
    EXPECT_EQ(state(core).istrm, 1);
    EXPECT_EQ(state(core).iz, 281629770);
    begin_call(core);
    const auto samples = take(core, 3);
    end_call(core, 3);
    EXPECT_EQ(state(core).istrm, 2);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(samples[0]), 0x3f17c707u);  // stream 2
    for (int call = 0; call < 2000; ++call) {
        begin_call(core);
        take(core, 50);
        end_call(core, 50);
    }
    EXPECT_EQ(state(core).istrm, 2002);
}

}  // namespace
}  // namespace tamboril::generators
