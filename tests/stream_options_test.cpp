// The command line of tamboril-stream and the length of each call it makes.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "stream/options.hpp"
#include "stream/run.hpp"

namespace {

using namespace tamboril::stream;

Options parse(std::vector<std::string_view> args) { return parse_options(args); }

struct GoodLine {
    const char* what;
    std::vector<std::string_view> args;
    Options::Action action;
    std::string name;
    std::optional<std::uint64_t> count;
    std::int32_t sequence;
    Format format;
    int bits = 32;
};

TEST(StreamOptions, AcceptedCommandLines) {
    using enum Options::Action;
    const GoodLine lines[] = {
        {"name alone", {"URN01"}, Stream, "URN01", std::nullopt, 10000, Format::Lines},
        {"every option", {"URN30", "--count", "30000", "--sequence", "578", "--format", "u32"},
         Stream, "URN30", 30000, 578, Format::U32},
        {"options before the name", {"--format", "f32", "URN03"}, Stream, "URN03", std::nullopt, 10000, Format::F32},
        {"option=value", {"URN03", "--count=5", "--sequence=7", "--format=lines"}, Stream, "URN03", 5, 7,
         Format::Lines},
        {"count zero", {"URN01", "--count", "0"}, Stream, "URN01", 0, 10000, Format::Lines},
        {"count just above 2^32", {"URN01", "--count", "4294967297"}, Stream, "URN01", 4294967297u, 10000,
         Format::Lines},
        {"largest count", {"URN01", "--count", "18446744073709551615"}, Stream, "URN01",
         18446744073709551615u, 10000, Format::Lines},
        {"leading zeros", {"URN01", "--count", "007"}, Stream, "URN01", 7, 10000, Format::Lines},
        {"largest sequence", {"URN01", "--sequence", "2147483647"}, Stream, "URN01", std::nullopt,
         2147483647, Format::Lines},
        {"the last option wins", {"URN01", "--format", "f32", "--format", "u32"}, Stream, "URN01",
         std::nullopt, 10000, Format::U32},
        {"list", {"--list"}, List, "", std::nullopt, 10000, Format::Lines},
        {"help", {"--help"}, Help, "", std::nullopt, 10000, Format::Lines},
        {"help among others", {"URN01", "--bogus", "-h"}, Help, "", std::nullopt, 10000, Format::Lines},
        {"a name is not checked here", {"URN99"}, Stream, "URN99", std::nullopt, 10000, Format::Lines},
        {"packed bits", {"URN10", "--format", "u32", "--bits", "13"}, Stream, "URN10", std::nullopt, 10000,
         Format::U32, 13},
        {"bits before the format", {"--bits=1", "URN10", "--format=u32"}, Stream, "URN10", std::nullopt, 10000,
         Format::U32, 1},
        {"32 bits are whole words, in any format", {"URN01", "--bits", "32"}, Stream, "URN01", std::nullopt,
         10000, Format::Lines, 32},
    };
    for (const auto& line : lines) {
        SCOPED_TRACE(line.what);
        Options options;
        ASSERT_NO_THROW(options = parse(line.args));
        EXPECT_EQ(options.action, line.action);
        if (line.action != Help) {
            EXPECT_EQ(options.name, line.name);
            EXPECT_EQ(options.count, line.count);
            EXPECT_EQ(options.sequence, line.sequence);
            EXPECT_EQ(options.format, line.format);
            EXPECT_EQ(options.bits, line.bits);
        }
    }
}

struct BadLine {
    const char* what;
    std::vector<std::string_view> args;
    const char* message;  // a part of the message
};

TEST(StreamOptions, RejectedCommandLines) {
    const BadLine lines[] = {
        {"nothing", {}, "no generator name"},
        {"two names", {"URN01", "URN02"}, "one generator name only"},
        {"unknown option", {"URN01", "--counts", "5"}, "unknown option \"--counts\""},
        {"single dash option", {"URN01", "-c", "5"}, "unknown option \"-c\""},
        {"count without value", {"URN01", "--count"}, "--count needs a value"},
        {"negative count", {"URN01", "--count", "-1"}, "--count needs a whole number, not \"-1\""},
        {"plus sign", {"URN01", "--count", "+1"}, "needs a whole number"},
        {"count with letters", {"URN01", "--count", "12abc"}, "needs a whole number"},
        {"empty count", {"URN01", "--count="}, "needs a whole number"},
        {"count with a blank", {"URN01", "--count", " 5"}, "needs a whole number"},
        {"count beyond 64 bits", {"URN01", "--count", "18446744073709551616"},
         "--count must lie between 0 and 18446744073709551615"},
        {"sequence zero", {"URN01", "--sequence", "0"}, "--sequence must lie between 1 and 2147483647"},
        {"sequence beyond 2^31 - 1", {"URN01", "--sequence", "2147483648"}, "--sequence must lie between"},
        {"format unknown", {"URN01", "--format", "u64"}, "--format must be lines, f32 or u32"},
        {"format in capitals", {"URN01", "--format", "F32"}, "--format must be"},
        {"list with a name", {"--list", "URN01"}, "--list takes no generator name"},
        {"bits zero", {"URN01", "--format", "u32", "--bits", "0"}, "--bits must lie between 1 and 32"},
        {"bits beyond a word", {"URN01", "--format", "u32", "--bits", "33"}, "--bits must lie between 1 and 32"},
        {"bits without a value", {"URN01", "--format", "u32", "--bits"}, "--bits needs a value"},
        {"bits of f32 values", {"URN01", "--format", "f32", "--bits", "24"}, "--bits 24 needs --format u32"},
        {"bits of lines", {"URN01", "--bits", "24"}, "--bits 24 needs --format u32"},
        {"control characters shown plainly", {"URN01", "--count", "1\n2"}, "not \"1?2\""},
    };
    for (const auto& line : lines) {
        SCOPED_TRACE(line.what);
        try {
            parse(line.args);
            ADD_FAILURE() << "accepted";
        } catch (const UsageError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(line.message), std::string::npos) << message;
            EXPECT_EQ(message.find('\n'), std::string::npos) << message;
        }
    }
}

TEST(StreamCalls, EachCallIsASequenceOrWhatRemainsOfTheCount) {
    struct Step {
        std::optional<std::uint64_t> left;
        std::int32_t sequence;
        std::int32_t expected;
    };
    const Step steps[] = {
        {std::nullopt, 10000, 10000},
        {std::nullopt, 2147483647, 2147483647},
        {30000, 10000, 10000},
        {10000, 10000, 10000},
        {9999, 10000, 9999},
        {1, 578, 1},
        {4294967297u, 10000, 10000},
        {4294967297u, 2147483647, 2147483647},
        {18446744073709551615u, 7, 7},
    };
    for (const auto& step : steps) {
        EXPECT_EQ(next_call_size(step.left, step.sequence), step.expected)
            << (step.left ? std::to_string(*step.left) : "endless") << " left, sequence " << step.sequence;
    }
}

}  // namespace
