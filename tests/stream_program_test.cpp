// tamboril-stream as a process: its exit statuses, its messages, --list and
// --help, and the endless stream that ends when the reader leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/common.hpp"
#include "tests/support/names.hpp"
#include "tests/support/stream_program.hpp"

namespace {

using tamboril::testing::run_stream;
using tamboril::testing::run_stream_into;

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The arguments as typed after the program's name.
std::string command_line(const std::vector<std::string>& args) {
    std::string line = "tamboril-stream";
    for (const auto& arg : args) line += " " + arg;
    return line;
}

// One line, ended by a line feed, naming the program.
void expect_one_line(const std::string& err, const std::string& part) {
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(err.rfind("tamboril-stream: ", 0), 0u) << err;
    EXPECT_NE(err.find(part), std::string::npos) << err;
}

struct BadArguments {
    const char* what;
    std::vector<std::string> args;
    const char* message;
};

TEST(StreamExit, BadArgumentsGiveOneLineAndStatusTwo) {
    const BadArguments cases[] = {
        {"no arguments", {}, "no generator name"},
        {"unknown name", {"URN99"}, "\"URN99\" is not a generator of the catalogue"},
        {"lower case", {"urn01"}, "\"urn01\" is not a generator"},
        {"a stub", {"URN07"}, "URN07 produces no values"},
        {"not implemented", {"URN23"}, "URN23 is not implemented"},
        {"name with a newline", {"URN01\nURN02"}, "\"URN01?URN02\" is not a generator"},
        // The options themselves are checked in stream_options_test.cpp.
        {"unknown option", {"URN01", "--fast"}, "unknown option"},
        {"count beyond 64 bits", {"URN01", "--count", "99999999999999999999"}, "--count must lie between"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto run = run_stream(c.args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        expect_one_line(run.err, c.message);
    }
}

TEST(StreamExit, AFullDeviceGivesOneLineAndStatusOne) {
    const std::vector<std::vector<std::string>> cases = {
        {"URN01", "--count", "1000000"},
        {"URN01", "--format", "u32"},
        {"URN39", "--count", "1", "--format", "f32"},
        // Packed words: many, endless, and one word made only at the end.
        {"URN03", "--format", "u32", "--bits", "24", "--count", "1000000"},
        {"URN10", "--format", "u32", "--bits", "11"},
        {"URN10", "--format", "u32", "--bits", "13", "--count", "1"},
        {"--list"},
        {"--help"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(command_line(args));
        const auto run = run_stream_into(args, "/dev/full");
        EXPECT_EQ(run.status, 1);
        expect_one_line(run.err, "cannot write to standard output: No space left on device");
    }
}

// A closed standard output is a failure however little is to be written:
// with --count 0 nothing is, and only its close shows that it is not there.
TEST(StreamExit, AClosedOutputGivesOneLineAndStatusOne) {
    const std::vector<std::vector<std::string>> cases = {
        {"URN01", "--count", "0"},
        {"URN01", "--count", "5"},
        {"URN01", "--format", "f32"},
        {"URN03", "--format", "u32", "--bits", "24", "--count", "0"},
        {"URN03", "--format", "u32", "--bits", "24", "--count", "1000"},
        {"URN10", "--format", "u32", "--bits", "13", "--count", "1"},
        {"URN10", "--format", "u32", "--bits", "7"},
        {"--list"},
    };
    for (const auto& args : cases) {
        tamboril::testing::StreamSetup setup;
        setup.program = tamboril::testing::Program::Stream;
        setup.args = args;
        setup.out = tamboril::testing::Stream::closed();
        SCOPED_TRACE(command_line(args));
        const auto run = tamboril::testing::run_with_streams(std::filesystem::current_path(), setup);
        EXPECT_EQ(run.status, 1);
        expect_one_line(run.err, "cannot write to standard output: Bad file descriptor");
    }
}

// Standard output on a file whose close() fails, as on a file system that
// reports a lost write only then: every write went through, and yet the
// output is not there.
TEST(StreamExit, AnOutputWhoseCloseFailsGivesOneLineAndStatusOne) {
    const auto dir = tamboril::testing::make_temp_dir();
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"URN01", "--count", "5"}, {"URN03", "--format", "u32", "--bits", "24", "--count", "3"}}) {
        SCOPED_TRACE(command_line(args));
        tamboril::testing::StreamSetup setup;
        setup.program = tamboril::testing::Program::Stream;
        setup.args = args;
        setup.out = tamboril::testing::Stream::file(dir / "out");
        setup.failing_close_of = "out";
        const auto run = tamboril::testing::run_with_streams(dir, setup);
        EXPECT_EQ(run.status, 1);
        expect_one_line(run.err, "cannot write to standard output: Input/output error");
    }
}

TEST(StreamExit, CountZeroWritesNothing) {
    const auto run = run_stream({"URN01", "--count", "0"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
}

TEST(StreamEndless, EndsQuietlyWhenTheReaderClosesThePipe) {
    // Each format, a generator cut into short calls, and a long sequence.
    const std::vector<std::vector<std::string>> cases = {
        {"URN01"},
        {"URN03", "--format", "u32"},
        {"URN39", "--format", "f32"},
        {"URN30", "--sequence", "1"},
        {"URN34", "--sequence", "2147483647", "--format", "u32"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.front());
        const auto run = run_stream(args, 3u << 20);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out.size(), 3u << 20);
    }
}

TEST(StreamEndless, ACountAboveTwoToThe32IsNotCutTo32Bits) {
    // 2^32 + 1 values: a count kept in 32 bits would stop after one value.
    const auto run = run_stream({"URN38", "--count", "4294967297", "--format", "f32"}, 4u << 20);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.size(), 4u << 20);
}

TEST(StreamList, TheGeneratorsThatProduceValuesEachWithADescription) {
    const auto run = run_stream({"--list"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const auto lines = lines_of(run.out);
    ASSERT_EQ(lines.size(), tamboril::testing::kValueGenerators.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        EXPECT_EQ(line.substr(0, 7), std::string(tamboril::testing::kValueGenerators[i]) + "  ") << line;
        EXPECT_GT(line.size(), 20u) << line;  // a description follows
        EXPECT_EQ(line.find("not implemented"), std::string::npos) << line;
    }
}

TEST(StreamHelp, UsageOnStandardOutput) {
    const auto run = run_stream({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.rfind("usage: tamboril-stream NAME [--seed V] [--skip K] [--count C] [--sequence N]\n"
                            "                              [--format lines|f32|u32] [--bits B]\n",
                            0),
              0u)
        << run.out;
    for (const char* part : {"--list", "--help", "floor(s * 2^32)", "--bits B", "--seed V", "--skip K", "Exit status"}) {
        EXPECT_NE(run.out.find(part), std::string::npos) << part;
    }
}

}  // namespace
