// tamboril-stream --seed and --skip, as a process, for every generator: a
// skipped stream is the tail of the stream without --skip, cut into calls in
// the same way; a seeded stream is the library's seeded generator.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tamboril/generators.hpp"
#include "tests/support/names.hpp"
#include "tests/support/stream_program.hpp"

namespace {

using tamboril::testing::kValueGenerators;
using tamboril::testing::run_stream;

class StreamSeedSkip : public ::testing::TestWithParam<std::string_view> {};

TEST_P(StreamSeedSkip, SkippedIsTheTailOfTheWholeStream) {
    const std::string name(GetParam());
    // 250 = 2 calls of 100 and 50 values of the third: the third is made
    // whole and its first 50 values are dropped.
    const auto whole = run_stream({name, "--sequence", "100", "--count", "550", "--format", "f32"});
    const auto skipped = run_stream({name, "--sequence", "100", "--skip", "250", "--count", "300", "--format", "f32"});
    ASSERT_EQ(whole.status, 0) << whole.err;
    ASSERT_EQ(skipped.status, 0) << skipped.err;
    ASSERT_EQ(whole.out.size(), 550u * 4);
    EXPECT_EQ(skipped.out, whole.out.substr(250 * 4));
}

TEST_P(StreamSeedSkip, SeededIsTheLibrarysSeededGenerator) {
    const std::string name(GetParam());
    const tamboril::SeedRange range = tamboril::make_generator(name)->seed_range();
    const std::uint64_t seed = range.low + (range.high - range.low) / 2;
    const auto run = run_stream({name, "--seed", std::to_string(seed), "--count", "12000", "--format", "f32"});
    ASSERT_EQ(run.status, 0) << run.err;
    auto generator = tamboril::make_generator(name, seed);
    std::vector<float> values(12000);
    generator->sequence(std::span<float>(values).first(10000));
    generator->sequence(std::span<float>(values).subspan(10000));
    ASSERT_EQ(run.out.size(), values.size() * 4);
    EXPECT_EQ(std::memcmp(run.out.data(), values.data(), run.out.size()), 0);

    // Outside the range: exit 2 and one line naming the range.
    const auto refused = run_stream({name, "--seed", std::to_string(range.high + 1), "--count", "1"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err, "tamboril-stream: " + name + ": the seed " + std::to_string(range.high + 1) +
                               " is outside the range of " + range.variable + ", " + std::to_string(range.low) +
                               " to " + std::to_string(range.high) + "\n");
}

INSTANTIATE_TEST_SUITE_P(EveryGenerator, StreamSeedSkip, ::testing::ValuesIn(kValueGenerators),
                         [](const auto& info) { return std::string(info.param); });

TEST(StreamSkip, FarAheadAtOnceForALinearGenerator) {
    // 10^12 values of URN01 skipped: 16807^(10^12) times 524287 mod
    // (2^31 - 1) is 1484373485 (computed apart, by Python's pow), the next
    // state 16807 times that.
    const auto run = run_stream({"URN01", "--skip", "1000000000000", "--count", "1", "--format", "u32"});
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.out.size(), 4u);
    std::uint32_t word = 0;
    std::memcpy(&word, run.out.data(), 4);
    const std::uint64_t next = 16807ull * 1484373485ull % 2147483647ull;
    const float value = static_cast<float>(static_cast<double>(next) / 2147483647.0);
    EXPECT_EQ(word, static_cast<std::uint32_t>(static_cast<double>(value) * 4294967296.0));
}

TEST(StreamSeedSkip, BadNumbersAreUsageErrors) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"URN01", "--seed", "x"}, {"URN01", "--skip", "-1"}, {"URN01", "--seed"}, {"URN01", "--skip", "1e3"}}) {
        const auto run = run_stream(args);
        EXPECT_EQ(run.status, 2) << args.back();
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
}

}  // namespace
