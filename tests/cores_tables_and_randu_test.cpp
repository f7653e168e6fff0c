// The cores of the table generators URN02 and URN05, of the 65539 generators
// URN03, URN06, URN08 and URN09, and of URN20 with its rounded product: the
// worked states and samples, the values that round to 1.0, and long streams
// against independent formulations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "generators/protocol.hpp"
#include "tamboril/cores/urn02.hpp"
#include "tamboril/cores/urn03.hpp"
#include "tamboril/cores/urn05.hpp"
#include "tamboril/cores/urn06.hpp"
#include "tamboril/cores/urn08.hpp"
#include "tamboril/cores/urn09.hpp"
#include "tamboril/cores/urn20.hpp"
#include "records/datafile.hpp"
#include "tests/support/common.hpp"
#include "tests/support/cores.hpp"

namespace tamboril::generators {
namespace {

using tamboril::testing::begin_call;
using tamboril::testing::bits;
using tamboril::testing::state;

std::string data_line(float sample) {
    char line[records::kDataLineWidth];
    records::render_data_line(static_cast<double>(sample), line);
    return std::string(line, sizeof line);
}

// One value at a time, so that the states in between can be looked at.
template <class Core>
float step(Core& core) {
    float sample = 0.0f;
    tamboril::testing::fill(core, std::span<float>(&sample, 1));
    return sample;
}

// Modular inverse of an odd number modulo 2^32 (Newton's iteration).
std::uint32_t inverse(std::uint32_t a) {
    std::uint32_t x = a;
    for (int k = 0; k < 5; ++k) x *= 2u - a * x;
    return x;
}

// The state whose next product (modulo 2^32) is `target`.
std::int32_t before_65539(std::uint32_t target) {
    return static_cast<std::int32_t>(inverse(65539u) * target);
}

// ---- URN03, URN08, URN09: 65539 X mod 2^31 ----

using Randu = std::linear_congruential_engine<std::uint32_t, 65539, 0, 2147483648u>;

TEST(Urn03Core, WorkedStatesAndSamples) {
    Urn03Core core;
    ASSERT_EQ(state(core).ix, 1);  // the unit seed
    const std::int32_t states[] = {65539,     393225,    1769499,    7077969,    26542323,
                                   95552217,  334432395, 1146624417, 1722371299, 14608041};
    const std::uint32_t first_bits[] = {0x38000180, 0x39400120, 0x3A5800D8, 0x3B5800A2,
                                        0x3C4A807A};
    const char* first_lines[] = {".0000305190", ".0001831097", ".0008239872", ".0032959362",
                                 ".0123597328"};
    for (int i = 0; i < 10; ++i) {
        const float sample = step(core);
        EXPECT_EQ(state(core).ix, states[i]) << "value " << i + 1;
        if (i < 5) {
            EXPECT_EQ(bits(sample), first_bits[i]) << "value " << i + 1;
            EXPECT_EQ(data_line(sample), first_lines[i]) << "value " << i + 1;
        }
        // The ninth product wrapped to a negative value and lost its sign bit.
        if (i == 8) { EXPECT_EQ(data_line(sample), ".8020416498"); }
    }
}

TEST(Urn08Urn09Core, WorkedStatesAndSamples) {
    const std::int32_t states[] = {1507325, 4325367, 12386277, 35389359, 100859661};
    Urn08Core eight;
    Urn09Core nine;
    ASSERT_EQ(state(eight).ix, 524287);
    ASSERT_EQ(state(nine).ix, 524287);
    for (int i = 0; i < 10; ++i) {
        const float a = step(eight);
        const float b = step(nine);
        if (i < 5) { EXPECT_EQ(state(eight).ix, states[i]) << "value " << i + 1; }
        if (i == 0) { EXPECT_EQ(bits(a), 0x3A37FFE8u); }
        EXPECT_EQ(state(nine).ix, state(eight).ix);
        EXPECT_EQ(bits(b), bits(a));
    }
    EXPECT_EQ(state(eight).ix, 879302999);
}

// States from 2147483584 up convert to 2^31 in single precision: sample 1.0.
TEST(RanduCores, LargestStatesGiveOne) {
    struct Case {
        std::uint32_t state;
        bool one;
    };
    for (const Case c : {Case{2147483583u, false}, Case{2147483584u, true},
                         Case{2147483647u, true}}) {
        // Reached from a negative product as well as a positive one.
        for (const std::uint32_t product : {c.state, c.state | 0x80000000u}) {
            Urn03Core three;
            Urn08Core eight;
            Urn09Core nine;
            state(three).ix = state(eight).ix = state(nine).ix = before_65539(product);
            const float samples[] = {step(three), step(eight), step(nine)};
            for (const float sample : samples) {
                EXPECT_EQ(sample == 1.0f, c.one) << c.state;
                EXPECT_EQ(data_line(sample) == "***********", c.one) << c.state;
            }
            EXPECT_EQ(state(three).ix, static_cast<std::int32_t>(c.state));
            EXPECT_EQ(state(eight).ix, static_cast<std::int32_t>(c.state));
            EXPECT_EQ(state(nine).ix, static_cast<std::int32_t>(c.state));
        }
    }
}

TEST(RanduCores, LongStreamsMatchTheEngine) {
    constexpr int kSteps = 1'000'000;
    Urn03Core three;
    Urn08Core eight;
    Urn09Core nine;
    Randu from_one(1u);
    Randu from_seed(524287u);
    // Blocks of uneven sizes: every block continues the stream.
    std::vector<float> a(4099), b(4099), c(4099);
    std::uint32_t x = 1, y = 524287;
    int done = 0;
    for (std::size_t size = 1; done < kSteps; size = (size + 577) % 4099 + 1) {
        const std::size_t count =
            std::min<std::size_t>(size, static_cast<std::size_t>(kSteps - done));
        three.sequence(std::span<float>(a.data(), count));
        eight.sequence(std::span<float>(b.data(), count));
        nine.sequence(std::span<float>(c.data(), count));
        for (std::size_t i = 0; i < count; ++i) {
            x = from_one();
            y = from_seed();
            ASSERT_EQ(bits(a[i]), bits(static_cast<float>(std::ldexp(double(x), -31))));
            ASSERT_EQ(bits(b[i]), bits(static_cast<float>(std::ldexp(double(y), -31))));
            ASSERT_EQ(bits(c[i]), bits(b[i]));
        }
        done += static_cast<int>(count);
        ASSERT_EQ(static_cast<std::uint32_t>(state(three).ix), x);
        ASSERT_EQ(static_cast<std::uint32_t>(state(eight).ix), y);
        ASSERT_EQ(static_cast<std::uint32_t>(state(nine).ix), y);
    }
}

// ---- URN06 ----

TEST(Urn06Core, FollowsUrn03WhereTheProductIsPositive) {
    Urn06Core six;
    const std::int32_t states[] = {65539,     393225,    1769499,    7077969,    26542323,
                                   95552217,  334432395, 1146624417, -425112349, 14608041,
                                   -381307909};
    const char* lines[] = {".0000305190", ".0001831097", ".0008239872", ".0032959362",
                           ".0123597328", ".0444949679", ".1557322145", ".5339385867",
                           ".1979583651", ".0068023992", ".1775603294"};
    for (int i = 0; i < 11; ++i) {
        const float sample = step(six);
        EXPECT_EQ(state(six).ix, states[i]) << "value " << i + 1;
        EXPECT_EQ(data_line(sample), lines[i]) << "value " << i + 1;
    }
}

TEST(Urn06Core, LongStreamAgainstUrn03) {
    Urn06Core six;
    Urn03Core three;
    int negative = 0;
    for (int i = 0; i < 1'000'000; ++i) {
        const float s6 = step(six);
        const float s3 = step(three);
        // The two states agree modulo 2^31 ...
        ASSERT_EQ(static_cast<std::uint32_t>(state(six).ix) & 0x7FFFFFFFu,
                  static_cast<std::uint32_t>(state(three).ix));
        if (state(six).ix > 0) {
            // ... and entirely, with the same sample, while the product is positive.
            ASSERT_EQ(state(six).ix, state(three).ix);
            ASSERT_EQ(bits(s6), bits(s3));
        } else {
            ++negative;
            const double magnitude = -static_cast<double>(state(six).ix);
            ASSERT_EQ(bits(s6), bits(static_cast<float>(std::ldexp(magnitude, -31))));
        }
    }
    EXPECT_GT(negative, 0);
}

TEST(Urn06Core, LargestMagnitudesGiveOne) {
    struct Case {
        std::int32_t sum;
        bool one;
    };
    for (const Case c : {Case{2147483583, false}, Case{-2147483583, false},
                         Case{2147483585, true}, Case{-2147483585, true},
                         Case{2147483647, true}, Case{-2147483647, true}}) {
        Urn06Core six;
        state(six).ix = before_65539(static_cast<std::uint32_t>(c.sum));
        const float sample = step(six);
        EXPECT_EQ(state(six).ix, c.sum);
        EXPECT_EQ(sample == 1.0f, c.one) << c.sum;
        EXPECT_EQ(data_line(sample) == "***********", c.one) << c.sum;
    }
}

// ---- URN20 ----

TEST(Urn20Core, WorkedStatesFollowTheRoundedProduct) {
    Urn20Core core;
    const std::int32_t states[] = {1164547606, 1020647264, 19913700, 1333769011, 935512160};
    for (int i = 0; i < 10; ++i) {
        const float sample = step(core);
        if (i < 5) { EXPECT_EQ(state(core).ix, states[i]) << "value " << i + 1; }
        if (i == 0) { EXPECT_EQ(bits(sample), 0x3F0AD32Cu); }
        if (i == 1) { EXPECT_EQ(bits(sample), 0x3EF3575Eu); }
    }
    EXPECT_EQ(state(core).ix, 671598445);
}

TEST(Urn20Core, LongStreamAgainstRoundedProductLoop) {
    Urn20Core core;
    std::int64_t x = 524287;
    std::vector<float> block(1000);
    for (int round = 0; round < 200; ++round) {
        core.sequence(block);
        for (const float sample : block) {
            const double product = static_cast<double>(x) * 2027812808.0;
            const double next = std::fmod(product, 2147483647.0);
            x = static_cast<std::int64_t>(next);
            ASSERT_EQ(bits(sample), bits(static_cast<float>(next / 2147483647.0)));
        }
        ASSERT_EQ(state(core).ix, x);
    }
}

TEST(Urn20Core, StateNearTheModulusGivesOne) {
    // 42769474 is followed by 2147483586 (found by a search over states).
    Urn20Core core;
    state(core).ix = 42769474;
    const float sample = step(core);
    EXPECT_EQ(state(core).ix, 2147483586);
    EXPECT_EQ(sample, 1.0f);
    EXPECT_EQ(data_line(sample), "***********");
}

// ---- URN02 ----

TEST(Urn02Core, FirstStepsFromTheStartingState) {
    Urn02Core core;
    EXPECT_EQ(state(core).nn[101], 906733794);  // NN(102)
    const float first = step(core);
    EXPECT_EQ(state(core).l, 1699151847);
    EXPECT_EQ(state(core).mmm, 1677198889);
    EXPECT_EQ(state(core).nn[101], state(core).kkk);  // j = 102, refilled by KKK
    EXPECT_EQ(bits(first), 0x3EFE955Eu);
    EXPECT_EQ(data_line(first), ".4972333312");
    const std::uint32_t next_bits[] = {0x3F5BC5C2, 0x3F04DBCD};
    const char* next_lines[] = {".8584862947", ".5189788938", ".6030181646", ".3803300261"};
    for (int i = 0; i < 4; ++i) {
        const float sample = step(core);
        if (i < 2) { EXPECT_EQ(bits(sample), next_bits[i]); }
        EXPECT_EQ(data_line(sample), next_lines[i]);
    }
    for (int i = 5; i < 10; ++i) step(core);
    EXPECT_EQ(state(core).l, 1533836757);
    EXPECT_EQ(state(core).mmm, 1173882409);
    EXPECT_EQ(state(core).kkk, 263137217);
}

TEST(Urn02Core, LargestSumsGiveOne) {
    struct Case {
        std::int32_t t;
        bool one;
    };
    for (const Case c : {Case{2147483519, false}, Case{2147483520, true}, Case{2147483647, true}}) {
        Urn02Core core;
        state(core).mmm = 0;  // stays 0, so t = NN(j) + L
        const std::uint32_t l = static_cast<std::uint32_t>(state(core).l) * 65539u;
        const std::size_t j = (l & 0x7FFFFFFFu) >> 24;  // L is positive here
        ASSERT_LT(l, 0x80000000u);
        state(core).nn[j] = static_cast<std::int32_t>(static_cast<std::uint32_t>(c.t) - l);
        const float sample = step(core);
        EXPECT_EQ(sample == 1.0f, c.one) << c.t;
        EXPECT_EQ(data_line(sample) == "***********", c.one) << c.t;
    }
}

// ---- URN05 ----

TEST(Urn05Core, WordMaskWrapsBackToTheLargestWord) {
    EXPECT_EQ(urn05_word_mask(31), 2147483647);
    EXPECT_EQ(urn05_word_mask(8), 255);
}

TEST(Urn05Core, FirstStepsAndTheSecondRound) {
    Urn05Core core;
    begin_call(core);
    const std::int32_t words[] = {793780767, 872552065, 920794714};
    const std::uint32_t word_bits[] = {0x3EBD4088, 0x3ED0085A, 0x3EDB88D9};
    std::vector<float> samples(100);
    for (int i = 0; i < 100; ++i) {
        samples[static_cast<std::size_t>(i)] = step(core);
        if (i < 3) {
            EXPECT_EQ(state(core).mfsr[static_cast<std::size_t>(i)], words[i]);
            EXPECT_EQ(bits(samples[static_cast<std::size_t>(i)]), word_bits[i]);
        }
        if (i == 97) { EXPECT_EQ(state(core).jj, 98); }
    }
    EXPECT_EQ(data_line(samples[0]), ".3696329594");
    EXPECT_EQ(data_line(samples[3]), ".4741138816");
    EXPECT_EQ(data_line(samples[4]), ".9531577826");
    EXPECT_EQ(data_line(samples[98]), ".6203182340");
    EXPECT_EQ(data_line(samples[99]), ".8501669765");
    EXPECT_EQ(state(core).jj, 2);
}

TEST(Urn05Core, ExtremeWords) {
    struct Case {
        std::int32_t word;
        const char* line;
    };
    // 2147483583 over the mask rounds to double exactly halfway below 1.0,
    // and the tie goes up in single precision.
    for (const Case c : {Case{2147483647, "***********"}, Case{2147483583, "***********"},
                         Case{2147483582, ".9999999404"}, Case{0, ".0000000000"}}) {
        Urn05Core core;
        begin_call(core);
        state(core).mfsr[0] = c.word;
        state(core).mfsr[27] = 0;
        const float sample = step(core);
        EXPECT_EQ(state(core).mfsr[0], c.word);
        EXPECT_EQ(data_line(sample), c.line) << c.word;
    }
}

TEST(Urn05Core, LongStreamAgainstPlainExclusiveOr) {
    std::vector<std::uint32_t> reg(kUrn05StartRegister.begin(), kUrn05StartRegister.end());
    Urn05Core core;
    begin_call(core);
    std::vector<float> block(977);
    std::size_t position = 0;
    for (int round = 0; round < 300; ++round) {
        core.sequence(block);
        for (const float sample : block) {
            std::uint32_t& word = reg[position];
            word ^= reg[(position + 27) % 98];
            position = (position + 1) % 98;
            ASSERT_EQ(bits(sample), bits(static_cast<float>(word / 2147483647.0)));
        }
    }
    for (std::size_t i = 0; i < 98; ++i) {
        ASSERT_EQ(static_cast<std::uint32_t>(state(core).mfsr[i]), reg[i]);
    }
    EXPECT_EQ(static_cast<std::size_t>(state(core).jj), position == 0 ? 98 : position);
}

}  // namespace
}  // namespace tamboril::generators
