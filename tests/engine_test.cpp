// The cores as random number engines, one table-driven test per property
// over the 26 cores: the distributions of <random> draw from them; the words
// are the top B bits of the values; seeds, skipping ahead and saved states
// behave as the standard engines' do.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "generators/catalogue.hpp"
#include "tamboril/engine.hpp"
#include "tests/support/common.hpp"
#include "tests/support/cores.hpp"
#include "tests/support/value_cores.hpp"

namespace {

using namespace value_cores;
using tamboril::Engine;
using tamboril::testing::bits;

template <class... T>
constexpr bool all_bit_generators(::testing::Types<T...>) {
    return (std::uniform_random_bit_generator<Engine<typename T::Core>> && ...);
}
static_assert(all_bit_generators(All{}));

template <class T>
class EngineOf : public ::testing::Test {};
TYPED_TEST_SUITE(EngineOf, All);

const tamboril::generators::CatalogueEntry& entry_of(const char* name) {
    return tamboril::generators::catalogue_entry(tamboril::generators::lookup_generator(name));
}

// The values of the library's generator in calls of 10 000, as the engines
// of URN30 and URN34 cut them (the others do not depend on the cut).
std::vector<float> values_in_calls(const char* name, std::size_t count) {
    auto generator = tamboril::make_generator(name);
    std::vector<float> values(count);
    for (std::size_t at = 0; at < count; at += 10000) {
        generator->sequence(std::span<float>(values).subspan(at, std::min<std::size_t>(10000, count - at)));
    }
    return values;
}

template <class E>
std::string text_of(const E& engine) {
    std::ostringstream out;
    out << engine;
    return out.str();
}

TYPED_TEST(EngineOf, WordsAreTheTopBitsOfTheValues) {
    using E = Engine<typename TypeParam::Core>;
    const int width = entry_of(TypeParam::kName).bits;
    ASSERT_EQ(E::bits, width);
    EXPECT_EQ(E::min(), 0u);
    EXPECT_EQ(E::max(), (std::uint32_t{1} << width) - 1);
    const auto values = values_in_calls(TypeParam::kName, 25000);
    E words, floats;
    for (std::size_t i = 0; i < values.size(); ++i) {
        // floor(s 2^32) by exact scaling, 1.0 as the largest word.
        const float s = values[i];
        const std::uint64_t word = s >= 1.0f ? 0xFFFFFFFFu : static_cast<std::uint64_t>(std::ldexp(static_cast<double>(s), 32));
        ASSERT_EQ(words(), word >> (32 - width)) << "value " << i + 1;
        ASSERT_EQ(bits(floats.value()), bits(s)) << "value " << i + 1;
    }
}

TEST(EngineWords, AValueOfOneGivesTheLargestWord) {
    // 16807 x = 2^31 - 2 mod (2^31 - 1) for this x: the next value is 1.0.
    const auto x = static_cast<std::int32_t>(1407677000LL * 2147483646 % 2147483647);
    Engine<tamboril::generators::Urn01Core> engine(tamboril::testing::at<tamboril::generators::Urn01Core>({x}));
    EXPECT_EQ(engine(), Engine<tamboril::generators::Urn01Core>::max());
}

// The engines' single-precision scaling against the top bits of the 32-bit
// word, for every width: a spread of the floats from 0, then every float of
// the last 2^16 up to 1.0.
template <int... B>
void expect_top_bits(std::integer_sequence<int, B...>) {
    for (std::uint32_t pattern = 0; pattern <= 0x3F800000u; pattern += pattern < 0x3F7F0000u ? 4099 : 1) {
        const float s = std::bit_cast<float>(pattern);
        const std::uint64_t word = s >= 1.0f ? 0xFFFFFFFFu : static_cast<std::uint64_t>(std::ldexp(static_cast<double>(s), 32));
        int wrong = 0;
        ((wrong += tamboril::top_bits<B + 1>(s) != word >> (31 - B)), ...);
        ASSERT_EQ(wrong, 0) << "widths that differ at " << s;
    }
}

// Evaluated as a constant, the scaling takes its bound as it is.
static_assert(tamboril::top_bits<24>(1.0f) == 0xFFFFFFu && tamboril::top_bits<24>(0x1.fffffep-1f) == 0xFFFFFFu &&
              tamboril::top_bits<24>(0.5f) == 0x800000u && tamboril::top_bits<24>(0x1p-24f) == 1u &&
              tamboril::top_bits<24>(0x1.fffffep-25f) == 0u && tamboril::top_bits<7>(1.0f) == 127u &&
              tamboril::top_bits<7>(0.75f) == 96u &&
              tamboril::top_bits<32>(1.0f) == 0xFFFFFFFFu && tamboril::top_bits<32>(0x1p-32f) == 1u);

TEST(EngineWords, TopBitsOfEveryWidth) { expect_top_bits(std::make_integer_sequence<int, 32>{}); }

TYPED_TEST(EngineOf, DrivesTheStandardDistributions) {
    Engine<typename TypeParam::Core> engine;
    std::uniform_int_distribution<int> die(1, 6);
    std::array<int, 7> faces{};
    for (int i = 0; i < 6000; ++i) {
        const int face = die(engine);
        ASSERT_GE(face, 1);
        ASSERT_LE(face, 6);
        ++faces[static_cast<std::size_t>(face)];
    }
    for (int face = 1; face <= 6; ++face) EXPECT_GT(faces[static_cast<std::size_t>(face)], 0) << face;

    std::vector<int> deck(52);
    std::iota(deck.begin(), deck.end(), 0);
    auto shuffled = deck;
    std::shuffle(shuffled.begin(), shuffled.end(), engine);
    EXPECT_NE(shuffled, deck);
    std::sort(shuffled.begin(), shuffled.end());
    EXPECT_EQ(shuffled, deck);

    std::normal_distribution<double> normal;
    for (int i = 0; i < 1000; ++i) ASSERT_TRUE(std::isfinite(normal(engine)));
    for (int i = 0; i < 1000; ++i) {
        const double u = std::generate_canonical<double, 53>(engine);
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
    }
}

TYPED_TEST(EngineOf, SeedsWithinTheCataloguesRange) {
    using Core = typename TypeParam::Core;
    constexpr tamboril::SeedRange range = Core::seed_range;
    const auto& entry = entry_of(TypeParam::kName);
    EXPECT_STREQ(entry.seed.variable, range.variable);
    EXPECT_EQ(entry.seed.low, range.low);
    EXPECT_EQ(entry.seed.high, range.high);
    ASSERT_GE(range.start, range.low);
    ASSERT_LE(range.start, range.high);

    // Default construction and the run's own value are the start of a run.
    EXPECT_TRUE(Core{} == Core::start());
    Core moved = Core::start();
    std::vector<float> values(5);
    moved.sequence(values);
    moved.seed(range.start);
    EXPECT_TRUE(moved == Core::start());
    EXPECT_TRUE(Engine<Core>(range.start) == Engine<Core>());
    for (const std::uint64_t v : {range.low, range.high}) {
        Core seeded;
        seeded.seed(v);
        EXPECT_EQ(seeded == Core::start(), v == range.start) << v;
    }

    std::vector<std::uint64_t> outside = {range.high + 1, UINT64_MAX};
    if (range.low > 0) outside.push_back(range.low - 1);
    for (const std::uint64_t v : outside) {
        Core core = moved;
        try {
            core.seed(v);
            ADD_FAILURE() << "the seed " << v << " was taken";
        } catch (const std::invalid_argument& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(TypeParam::kName), std::string::npos) << message;
            EXPECT_NE(message.find(range.variable), std::string::npos) << message;
            EXPECT_NE(message.find(std::to_string(range.low) + " to " + std::to_string(range.high)), std::string::npos)
                << message;
        }
        EXPECT_TRUE(core == moved) << v;
    }
}

// Skipping n values leaves the state that n calls leave, for n across the
// blocks, calls and cut points, up to 10^7; and in pieces as at once.
TYPED_TEST(EngineOf, DiscardIsThatManyValues) {
    using E = Engine<typename TypeParam::Core>;
    const std::uint64_t checkpoints[] = {0, 1, 2, 97, 98, 99, 1023, 1024, 1025, 4096, 4097, 9999, 10000, 10001,
                                         32768, 32769, 123457, 1000003, 10000000};
    E stepped;
    std::uint64_t at = 0;
    for (const std::uint64_t n : checkpoints) {
        for (; at < n; ++at) stepped();
        E skipped;
        skipped.discard(n);
        ASSERT_TRUE(skipped == stepped) << "after " << n << " values";
        E copy = stepped;
        ASSERT_EQ(skipped(), copy()) << "after " << n << " values";
    }
    E pieces, whole;
    for (const std::uint64_t n : {3u, 9996u, 10002u, 0u, 123456u}) pieces.discard(n);
    whole.discard(3 + 9996 + 10002 + 123456);
    EXPECT_TRUE(pieces == whole);
    if constexpr (tamboril::CutDependentCore<typename TypeParam::Core>) {
        // Calls of 7 values.
        E by_steps(typename TypeParam::Core{}, 7), by_discard(typename TypeParam::Core{}, 7);
        for (int i = 0; i < 1000; ++i) by_steps();
        by_discard.discard(1000);
        EXPECT_TRUE(by_discard == by_steps);
    }
}

// The library's generator skips as sequence() calls of `per_call` values
// and a last shorter call would leave it.
TYPED_TEST(EngineOf, GeneratorDiscardIsThatManyValuesInCalls) {
    for (const std::int32_t per_call : {10000, 7}) {
        for (const std::uint64_t n : {0u, 5u, 7u, 10000u, 25003u}) {
            auto called = tamboril::make_generator(TypeParam::kName);
            std::vector<float> values(static_cast<std::size_t>(per_call));
            for (std::uint64_t left = n; left > 0;) {
                const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(left, values.size()));
                called->sequence(std::span<float>(values).first(count));
                left -= count;
            }
            auto skipped = tamboril::make_generator(TypeParam::kName);
            skipped->discard(n, per_call);
            EXPECT_EQ(skipped->save(), called->save()) << n << " values in calls of " << per_call;
        }
    }
    EXPECT_THROW(tamboril::make_generator(TypeParam::kName)->discard(1, 0), std::invalid_argument);
}

TYPED_TEST(EngineOf, SavedStatesRoundTrip) {
    using Core = typename TypeParam::Core;
    Engine<Core> engine;
    engine.discard(12345);
    const std::string text = text_of(engine);
    std::istringstream in(text);
    Engine<Core> read(Core::seed_range.high);
    ASSERT_TRUE(in >> read) << text;
    EXPECT_TRUE(read == engine) << text;
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(read(), engine()) << i;
    // The stream's own flags change nothing.
    std::ostringstream hex;
    hex << std::hex << std::showbase << std::setw(40) << std::setfill('#') << read;
    EXPECT_EQ(hex.str(), text_of(read));

    auto generator = tamboril::make_generator(TypeParam::kName);
    generator->discard(12345);
    const std::string saved = generator->save();
    EXPECT_EQ(saved.rfind(std::string(TypeParam::kName) + " ", 0), 0u) << saved;
    auto restored = tamboril::make_generator(TypeParam::kName, Core::seed_range.high);
    restored->restore(saved);
    EXPECT_EQ(restored->save(), saved);
    std::vector<float> a(1000), b(1000);
    generator->sequence(a);
    restored->sequence(b);
    EXPECT_EQ(a, b);
    // A copy goes its own way.
    auto copy = restored->clone();
    restored->sequence(a);
    copy->sequence(b);
    EXPECT_EQ(a, b);
}

// A state variable out of its range: the token of the saved text it stands
// in, and the text to put there.
struct BadVariable {
    const char* name;
    std::size_t token;
    const char* text;
};
const BadVariable kBadVariables[] = {
    {"URN01", 0, "0"},           {"URN01", 0, "2147483647"}, {"URN02", 0, "0"},
    {"URN03", 0, "0"},           {"URN05", 0, "99"},         {"URN05", 1, "-1"},
    {"URN06", 0, "0"},           {"URN08", 0, "-5"},         {"URN09", 0, "0"},
    {"URN10", 0, "8192"},        {"URN11", 0, "0"},          {"URN12", 0, "-1"},
    {"URN13", 1, "131072"},      {"URN14", 1, "32768"},      {"URN20", 0, "2147483647"},
    {"URN21", 2, "100000000"},   {"URN22", 0, "4294967296"}, {"URN28", 0, "0"},
    {"URN30", 1, "2147483647"},  {"URN31", 0, "16777216"},   {"URN32", 0, "33554432"},
    {"URN33", 0, "100000048"},   {"URN33", 0, "100000001"},  {"URN34", 0, "2039"},
    {"URN35", 3, "1073741824"},  {"URN36", 1, "1048576"},    {"URN37", 0, "0"},
    {"URN38", 0, "32768"},       {"URN39", 0, "4609434218613702656"},
};

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> result;
    for (std::string word; in >> word;) result.push_back(word);
    return result;
}

std::string joined(const std::vector<std::string>& tokens) {
    std::string text;
    for (const auto& token : tokens) text += (text.empty() ? "" : " ") + token;
    return text;
}

TYPED_TEST(EngineOf, MalformedOrOutOfRangeTextIsRefused) {
    using Core = typename TypeParam::Core;
    Core core;
    std::vector<float> values(777);
    core.sequence(values);
    const Core before = core;
    const auto tokens = words(text_of(core));
    std::vector<std::string> bad = {"", "x", "-", "1x", "+1", joined(std::vector<std::string>(tokens.begin(), tokens.end() - 1))};
    auto overflow = tokens;
    overflow[0] = "99999999999999999999";
    bad.push_back(joined(overflow));
    auto letters = tokens;
    letters.back() += "x";
    bad.push_back(joined(letters));
    int own = 0;
    for (const BadVariable& v : kBadVariables) {
        if (std::string(v.name) != TypeParam::kName) continue;
        auto changed = tokens;
        ASSERT_LT(v.token, changed.size());
        changed[v.token] = v.text;
        bad.push_back(joined(changed));
        ++own;
    }
    EXPECT_GT(own, 0) << "no out-of-range variable listed";
    for (const std::string& text : bad) {
        std::istringstream in(text);
        Core read = core;
        in >> read;
        EXPECT_TRUE(in.fail()) << '"' << text << '"';
        EXPECT_TRUE(read == before) << '"' << text << '"';
        auto generator = tamboril::make_generator(TypeParam::kName);
        const std::string saved = generator->save();
        EXPECT_THROW(generator->restore(std::string(TypeParam::kName) + " " + text), std::invalid_argument) << text;
        EXPECT_EQ(generator->save(), saved);
    }
    // Another generator's text, and text after a whole state.
    auto generator = tamboril::make_generator(TypeParam::kName);
    const std::string other = std::string(TypeParam::kName) == "URN01" ? "URN28 1" : "URN01 524287";
    EXPECT_THROW(generator->restore(other), std::invalid_argument);
    EXPECT_THROW(generator->restore(generator->save() + " 1"), std::invalid_argument);
}

TEST(EngineSavedText, TheMessageQuotesTheTextAndNamesTheGenerator) {
    auto generator = tamboril::make_generator("URN10");
    try {
        generator->restore("URN10 8192\n");
        FAIL() << "8192 was taken";
    } catch (const std::invalid_argument& error) {
        EXPECT_STREQ(error.what(), "\"URN10 8192?\" is not a saved state of URN10");
    }
}

}  // namespace
