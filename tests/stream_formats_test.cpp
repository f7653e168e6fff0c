// The three output formats of tamboril-stream: the 32-bit word of a sample,
// the buffered output, and f32 and u32 against lines for every generator.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "stream/encode.hpp"
#include "stream/output.hpp"
#include "tests/support/names.hpp"
#include "tests/support/program.hpp"
#include "tests/support/stream_program.hpp"

namespace {

using namespace tamboril::stream;
using tamboril::testing::expected_data_line;
using tamboril::testing::run_stream;

// floor(s 2^32) from the bits of a float in [0, 1), without floating point:
// s = M 2^(E - 150) with the 24-bit significand M (E the biased exponent).
std::uint32_t floor_word(float s) {
    const auto bits = std::bit_cast<std::uint32_t>(s);
    const int e = static_cast<int>(bits >> 23);
    std::uint64_t m = bits & 0x7FFFFFu;
    if (e != 0) m |= 0x800000u;
    const int shift = (e == 0 ? 1 : e) - 150 + 32;
    if (shift >= 0) return static_cast<std::uint32_t>(m << shift);
    return shift <= -64 ? 0 : static_cast<std::uint32_t>(m >> -shift);
}

std::vector<std::uint32_t> words_of(const std::string& bytes) {
    std::vector<std::uint32_t> words(bytes.size() / 4);
    if (!words.empty()) std::memcpy(words.data(), bytes.data(), words.size() * 4);
    return words;
}

struct WordCase {
    const char* what;
    float sample;
    std::uint32_t word;
};

TEST(U32Word, FloorOfTheSampleTimesTwoToThe32) {
    const WordCase cases[] = {
        {"zero", 0.0f, 0},
        {"one half", 0.5f, 0x80000000u},
        {"one quarter", 0.25f, 0x40000000u},
        {"one", 1.0f, 0xFFFFFFFFu},
        {"largest below one", std::nextafter(1.0f, 0.0f), 0xFFFFFF00u},
        {"two to the minus 32", 0x1p-32f, 1},
        {"just below two to the minus 32", std::nextafter(0x1p-32f, 0.0f), 0},
        {"three times two to the minus 33", 0x3p-33f, 1},
        {"smallest subnormal", std::numeric_limits<float>::denorm_min(), 0},
        {"URN01's first value (bits 3DD37BE6)", std::bit_cast<float>(0x3DD37BE6u), 0x1A6F7CC0u},
        {"negative zero", -0.0f, 0},
        {"negative (no generator gives one)", -0.5f, 0},
        {"above one (no generator gives one)", 1.5f, 0xFFFFFFFFu},
        {"NaN (no generator gives one)", std::numeric_limits<float>::quiet_NaN(), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(u32_word(c.sample), c.word) << c.what;
}

TEST(U32Word, AgreesWithTheFloorFromTheBitsOverTheUnitInterval) {
    // Every 4099th float from 0 up to 1: all exponents, odd and even significands.
    for (std::uint32_t bits = 0; bits < 0x3F800000u; bits += 4099) {
        const float s = std::bit_cast<float>(bits);
        ASSERT_EQ(u32_word(s), floor_word(s)) << std::hex << bits;
    }
}

// The bytes Output writes to a file for the samples, put in blocks of `block`.
std::string written(Format format, std::size_t buffer_bytes, const std::vector<float>& samples,
                    std::size_t block, int bits = kWholeWordBits) {
    const auto dir = tamboril::testing::make_temp_dir();
    const auto path = dir / "out";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    {
        Output output(fd, format, buffer_bytes, bits);
        for (std::size_t at = 0; at < samples.size(); at += block) {
            output.put(std::span<const float>(samples).subspan(at, std::min(block, samples.size() - at)));
        }
        output.finish();
    }
    ::close(fd);
    return tamboril::testing::read_file(path);
}

TEST(StreamOutput, SmallBuffersAndOddBlocksWriteTheSameBytes) {
    std::vector<float> samples;
    for (int i = 0; i < 1000; ++i) samples.push_back(static_cast<float>(i) / 1024.0f);
    for (Format format : {Format::Lines, Format::F32, Format::U32}) {
        const std::string whole = written(format, kOutputBufferBytes, samples, samples.size());
        ASSERT_EQ(whole.size(), samples.size() * bytes_per_sample(format));
        // A buffer smaller than one sample still holds one; 20 bytes hold one
        // line or five words; blocks of 7 and 333 end between flushes.
        for (std::size_t buffer : {1u, 20u, 4096u}) {
            for (std::size_t block : {1u, 7u, 333u}) {
                EXPECT_EQ(written(format, buffer, samples, block), whole)
                    << "format " << static_cast<int>(format) << ", buffer " << buffer << ", block " << block;
            }
        }
    }
}

// The packed stream as a text of '0' and '1': the top `bits` bits of each
// sample's word one after another, then zeros up to a whole word.
std::string packed_bit_text(const std::vector<float>& samples, int bits) {
    std::string text;
    for (const float s : samples) {
        const std::uint32_t word = s >= 1.0f ? 0xFFFFFFFFu : floor_word(s);
        for (int b = 31; b >= 32 - bits; --b) text += (word >> b) & 1 ? '1' : '0';
    }
    while (text.size() % 32 != 0) text += '0';
    return text;
}

// The bits of little-endian words, most significant first in each.
std::string bit_text_of_words(const std::string& bytes) {
    std::string text;
    for (const std::uint32_t word : words_of(bytes)) {
        for (int b = 31; b >= 0; --b) text += (word >> b) & 1 ? '1' : '0';
    }
    return text;
}

struct PackedCase {
    const char* what;
    std::vector<float> samples;
    int bits;
    std::vector<std::uint32_t> words;
};

TEST(PackedWords, TopBitsOfEachSampleMostSignificantFirst) {
    const float one = 1.0f;
    const float below_one = std::nextafter(1.0f, 0.0f);
    std::vector<float> halves_and_quarters;
    for (int i = 0; i < 16; ++i) halves_and_quarters.insert(halves_and_quarters.end(), {0.5f, 0.25f});
    const PackedCase cases[] = {
        {"one bit: 1/2 and 1/4 alternately, 32 samples to the word", halves_and_quarters, 1, {0xAAAAAAAAu}},
        {"24 bits: four samples make three words", {0.5f, 0.25f, one, 0x1p-24f}, 24,
         {0x80000040u, 0x0000FFFFu, 0xFF000001u}},
        {"13 bits, the last word completed with zeros", {0.5f, below_one, 0x1p-13f}, 13,
         {0x8007FFC0u, 0x02000000u}},
        {"31 bits, two samples", {below_one, below_one}, 31, {0xFFFFFF01u, 0xFFFFFE00u}},
        {"32 bits: the plain words", {0.5f, one}, 32, {0x80000000u, 0xFFFFFFFFu}},
        {"no samples, no words", {}, 15, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (std::size_t block : {std::size_t{1}, std::size_t{3}, c.samples.size() + 1}) {
            EXPECT_EQ(words_of(written(Format::U32, 4, c.samples, block, c.bits)), c.words) << "block " << block;
        }
    }
}

TEST(PackedWords, SmallBuffersAndOddBlocksWriteTheSameBytes) {
    std::vector<float> samples;
    for (int i = 0; i < 1001; ++i) samples.push_back(static_cast<float>((i * 7919) % 1024) / 1024.0f);
    for (int bits : {1, 7, 13, 24, 31}) {
        const std::string whole = written(Format::U32, kOutputBufferBytes, samples, samples.size(), bits);
        ASSERT_EQ(whole.size(), (samples.size() * static_cast<std::size_t>(bits) + 31) / 32 * 4) << bits;
        ASSERT_EQ(bit_text_of_words(whole), packed_bit_text(samples, bits)) << bits;
        for (std::size_t buffer : {1u, 20u, 4096u}) {
            for (std::size_t block : {1u, 7u, 333u}) {
                EXPECT_EQ(written(Format::U32, buffer, samples, block, bits), whole)
                    << bits << " bits, buffer " << buffer << ", block " << block;
            }
        }
    }
}

struct PackedRun {
    std::string_view name;
    int bits;
};

void PrintTo(const PackedRun& r, std::ostream* os) { *os << r.name << " with --bits " << r.bits; }

class PackedStreams : public ::testing::TestWithParam<PackedRun> {};

TEST_P(PackedStreams, CarryTheTopBitsOfTheF32Values) {
    const auto [name_view, bits] = GetParam();
    const std::string name(name_view);
    // 3001 values: whole calls of 578 and a shortened one, and a last word
    // that is not full for most widths.
    const auto f32 = run_stream({name, "--count", "3001", "--sequence", "578", "--format", "f32"});
    const auto packed = run_stream(
        {name, "--count", "3001", "--sequence", "578", "--format", "u32", "--bits", std::to_string(bits)});
    ASSERT_EQ(f32.status, 0) << f32.err;
    ASSERT_EQ(packed.status, 0) << packed.err;
    EXPECT_EQ(packed.err, "");
    const auto bit_words = words_of(f32.out);
    std::vector<float> samples;
    for (const std::uint32_t b : bit_words) samples.push_back(std::bit_cast<float>(b));
    ASSERT_EQ(samples.size(), 3001u);
    EXPECT_EQ(bit_text_of_words(packed.out), packed_bit_text(samples, bits));
}

// Widths of every kind (7, 11, 14, 15, 23 and 24 are those of the quality
// report), and the extremes.
const PackedRun kPackedRuns[] = {
    {"URN10", 11}, {"URN13", 15}, {"URN35", 7},  {"URN30", 23}, {"URN03", 24}, {"URN34", 24},
    {"URN38", 14}, {"URN10", 13}, {"URN01", 1},  {"URN22", 31}, {"URN39", 32},
};

INSTANTIATE_TEST_SUITE_P(ReportWidths, PackedStreams, ::testing::ValuesIn(kPackedRuns),
                         [](const ::testing::TestParamInfo<PackedRun>& info) {
                             return std::string(info.param.name) + "_" + std::to_string(info.param.bits) + "Bits";
                         });

class FormatsAgree : public ::testing::TestWithParam<std::string_view> {};

TEST_P(FormatsAgree, F32AndU32CarryTheValuesOfLines) {
    const std::string name(GetParam());
    // 3000 values in calls of 578: five whole calls and a shortened sixth.
    const std::vector<std::string> common = {name, "--count", "3000", "--sequence", "578", "--format"};
    auto args = [&](const char* format) {
        auto all = common;
        all.emplace_back(format);
        return all;
    };
    const auto lines = run_stream(args("lines"));
    const auto f32 = run_stream(args("f32"));
    const auto u32 = run_stream(args("u32"));
    for (const auto* run : {&lines, &f32, &u32}) {
        ASSERT_EQ(run->status, 0) << run->err;
        EXPECT_EQ(run->err, "");
    }
    ASSERT_EQ(lines.out.size(), 3000u * 13);
    ASSERT_EQ(f32.out.size(), 3000u * 4);
    ASSERT_EQ(u32.out.size(), 3000u * 4);

    const auto bits = words_of(f32.out);
    const auto words = words_of(u32.out);
    for (std::size_t i = 0; i < 3000; ++i) {
        const float s = std::bit_cast<float>(bits[i]);
        ASSERT_TRUE(s >= 0.0f && s <= 1.0f) << name << " value " << i + 1 << " is " << s;
        ASSERT_EQ(lines.out.substr(i * 13, 13), expected_data_line(s) + "\r\n") << name << " value " << i + 1;
        const std::uint32_t word = s == 1.0f ? 0xFFFFFFFFu : floor_word(s);
        ASSERT_EQ(words[i], word) << name << " value " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryGenerator, FormatsAgree, ::testing::ValuesIn(tamboril::testing::kValueGenerators),
                         [](const ::testing::TestParamInfo<std::string_view>& info) {
                             return std::string(info.param);
                         });

TEST(StreamValues, Urn01StartsWithTheKnownSamples) {
    // The first two samples of URN01 have the bits 3DD37BE6 and 3F0D65A5.
    const auto f32 = run_stream({"URN01", "--count", "2", "--format", "f32"});
    ASSERT_EQ(f32.status, 0) << f32.err;
    EXPECT_EQ(words_of(f32.out), (std::vector<std::uint32_t>{0x3DD37BE6u, 0x3F0D65A5u}));
}

TEST(StreamValues, Urn34DependsOnTheSequenceLength) {
    // Values 6 to 10 of URN34 with N = 5 (a second call) and with N = 10.
    const auto five = run_stream({"URN34", "--count", "10", "--sequence", "5"});
    const auto ten = run_stream({"URN34", "--count", "10", "--sequence", "10"});
    ASSERT_EQ(five.status, 0) << five.err;
    ASSERT_EQ(ten.status, 0) << ten.err;
    const std::string head = tamboril::testing::crlf(
        {".9961676598", ".0050028795", ".0217775870", ".8396331072", ".0017286736"});
    EXPECT_EQ(five.out, head + tamboril::testing::crlf({".0620826967", ".4869372547", ".7864353657",
                                                        ".3096489012", ".9586759210"}));
    EXPECT_EQ(ten.out, head + tamboril::testing::crlf({".0602313355", ".0623061471", ".4087210000",
                                                       ".1262186319", ".7233019471"}));
}

}  // namespace
