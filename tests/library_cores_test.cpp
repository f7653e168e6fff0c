// The cores as value types: each core's start() with one value at a time, or
// with calls (the only way for URN30 and URN34), gives the stream of the
// library's generator of the same name; copies and equality behave as values.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tamboril/generators.hpp"
#include "tests/support/common.hpp"
#include "tests/support/value_cores.hpp"


namespace {

using namespace tamboril::generators;
using namespace value_cores;

using tamboril::testing::bits;

// The values of the library's generator for calls of the given lengths.
std::vector<float> library_stream(const char* name, const std::vector<std::size_t>& calls) {
    auto generator = tamboril::make_generator(name);
    std::vector<float> all;
    for (std::size_t n : calls) {
        std::vector<float> values(n);
        generator->sequence(values);
        all.insert(all.end(), values.begin(), values.end());
    }
    return all;
}

// Calls of many lengths, across the operation's blocks of 4096: 50 000 values.
const std::vector<std::size_t> kCalls = {1, 7, 578, 4096, 4097, 10000, 1, 31220};

template <class T>
class OneValueAtATime : public ::testing::Test {};

using CutIndependent =
    ::testing::Types<Urn01, Urn02, Urn03, Urn05, Urn06, Urn08, Urn09, Urn10, Urn11, Urn12, Urn13, Urn14,
                     Urn20, Urn21, Urn22, Urn28, Urn31, Urn32, Urn33, Urn35, Urn36, Urn37, Urn38, Urn39>;
TYPED_TEST_SUITE(OneValueAtATime, CutIndependent);

TYPED_TEST(OneValueAtATime, GivesTheRunsStreamFromStart) {
    const auto expected = library_stream(TypeParam::kName, kCalls);
    auto core = TypeParam::Core::start();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(bits(core()), bits(expected[i])) << "value " << i + 1;
    }
}

TYPED_TEST(OneValueAtATime, MixesWithCallsAndLeavesTheSameState) {
    // Calls of 2000, 1 and 2999 values against 5000 values one at a time,
    // and values one at a time between calls.
    auto by_calls = TypeParam::Core::start();
    auto by_value = by_calls;
    auto mixed = by_calls;
    std::vector<float> called;
    for (std::size_t n : {2000u, 1u, 2999u}) {
        std::vector<float> values(n);
        by_calls.sequence(values);
        called.insert(called.end(), values.begin(), values.end());
    }
    std::vector<float> values(2000);
    mixed.sequence(values);
    for (std::size_t i = 0; i < called.size(); ++i) {
        ASSERT_EQ(bits(by_value()), bits(called[i])) << i;
        if (i >= 2000) {
            ASSERT_EQ(bits(mixed()), bits(called[i])) << i;
        }
    }
    EXPECT_TRUE(by_value == by_calls);
    EXPECT_TRUE(mixed == by_calls);
}

TYPED_TEST(OneValueAtATime, CopiesAreIndependentValues) {
    auto core = TypeParam::Core::start();
    for (int i = 0; i < 1000; ++i) core();
    auto copy = core;
    EXPECT_TRUE(copy == core);
    const float next = core();
    EXPECT_FALSE(copy == core) << "one step leaves the state as it was";
    EXPECT_EQ(bits(copy()), bits(next));
    EXPECT_TRUE(copy == core);
    // Default construction is the start of a run, as a standard engine's is
    // its default seed.
    EXPECT_TRUE(typename TypeParam::Core{} == TypeParam::Core::start());
}

template <class T>
class CallAtATime : public ::testing::Test {};

using CutDependent = ::testing::Types<Urn30, Urn34>;
TYPED_TEST_SUITE(CallAtATime, CutDependent);

TYPED_TEST(CallAtATime, CallsGiveTheRunsStreamCutTheSameWay) {
    for (const auto& calls : {kCalls, std::vector<std::size_t>(300, 5), std::vector<std::size_t>{0, 10, 0, 10}}) {
        const auto expected = library_stream(TypeParam::kName, calls);
        auto core = TypeParam::Core::start();
        std::vector<float> got;
        for (std::size_t n : calls) {
            std::vector<float> values(n);
            core.sequence(values);
            got.insert(got.end(), values.begin(), values.end());
        }
        for (std::size_t i = 0; i < got.size(); ++i) ASSERT_EQ(bits(got[i]), bits(expected[i])) << "value " << i + 1;
    }
}

TYPED_TEST(CallAtATime, CopiesAreIndependentValues) {
    auto core = TypeParam::Core::start();
    std::vector<float> a(100), b(100);
    core.sequence(a);
    auto copy = core;
    EXPECT_TRUE(copy == core);
    core.sequence(a);
    EXPECT_FALSE(copy == core);
    copy.sequence(b);
    EXPECT_EQ(a, b);
    EXPECT_TRUE(copy == core);
}

}  // namespace
