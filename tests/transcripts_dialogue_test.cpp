// End-to-end runs of the dialogue itself: names that are not in the table,
// the first five characters, the endings, the pause command, an existing data
// file, a run held to one processor, a run of ten million values and the
// memory of a full run.
#include <gtest/gtest.h>

#include <sched.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>

#include "tests/support/program.hpp"
#include "tests/support/streams.hpp"

namespace tamboril::testing {
namespace {

namespace fs = std::filesystem;

struct UnknownCase {
    const char* label;
    const char* typed;
    const char* shown;
    const char* file;
};

void PrintTo(const UnknownCase& c, std::ostream* os) {
    *os << c.label << ": " << as_literal(c.typed) << " shown as " << as_literal(c.shown);
}

class UnknownNames : public ::testing::TestWithParam<UnknownCase> {};

TEST_P(UnknownNames, StopAfterTheBannerLeavingAnEmptyFile) {
    const UnknownCase& c = GetParam();
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, std::string(c.typed) + "\n5\n1\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, unknown_name_transcript(c.shown));
    ASSERT_TRUE(fs::exists(dir / c.file)) << c.file;
    EXPECT_EQ(fs::file_size(dir / c.file), 0u);
}

INSTANTIATE_TEST_SUITE_P(Typed, UnknownNames,
                         ::testing::Values(UnknownCase{"FourCharacters", "URN1", "URN1 ", "ARCHURN1"},
                                           UnknownCase{"LowerCase", "urn01", "urn01", "ARCHurn01"},
                                           UnknownCase{"NumberZero", "URN00", "URN00", "ARCHURN00"},
                                           UnknownCase{"EmptyLine", "", "     ", "ARCH"}),
                         [](const ::testing::TestParamInfo<UnknownCase>& info) {
                             return std::string(info.param.label);
                         });

TEST(Dialogue, SixCharactersSelectTheFirstFive) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN011\n1\n1\n\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, dialogue_head("URN01").size()), dialogue_head("URN01"));
    EXPECT_EQ(read_file(dir / "ARCHURN01"), crlf({".1032636613"}));
}

TEST(Dialogue, NotImplementedWithNoSequenceEndsNormally) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN23\n5\n0\n\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, dialogue_head("URN23") + normal_tail("URN23"));
}

TEST(Dialogue, ZeroValuesStillCallTheGenerator) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN01\n0\n3\n\n");
    EXPECT_EQ(run.status, 0);
    const std::string expected = dialogue_head("URN01") + "\r\n" + "        IX=     524287\r\n" +
                                 parenthesised_heading(0) + "\r\n        IX=     524287" +
                                 normal_tail("URN01");
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(fs::file_size(dir / "ARCHURN01"), 0u);
}

TEST(Dialogue, AnExistingFileIsCutAtTheFirstRecordAndKeptWithoutOne) {
    const auto dir = make_temp_dir();
    const std::string old(1000, 'x');
    {
        std::FILE* f = std::fopen((dir / "ARCHURN01").c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(old.data(), 1, old.size(), f);
        std::fclose(f);
    }
    EXPECT_EQ(run_program(dir, "URN01\n5\n0\n\n").status, 0);
    EXPECT_EQ(read_file(dir / "ARCHURN01"), old);
    EXPECT_EQ(run_program(dir, "URN01\n1\n1\n\n").status, 0);
    EXPECT_EQ(read_file(dir / "ARCHURN01"), crlf({".1032636613"}));
}

TEST(Pause, RunsTheCommandAndWaitsForIt) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN10\n2\n1\necho done > pause.txt; cat ARCHURN10 >> pause.txt  \n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(read_file(dir / "pause.txt"), "done\n" + crlf({".0152587891", ".9073486328"}));
}

// URN10 from 1: each state is the previous one times 125 modulo 8192, and
// the sample is the state over 8192.
std::uint32_t urn10_state_after(int count) {
    std::uint32_t state = 1;
    for (int i = 0; i < count; ++i) state = state * 125 % 8192;
    return state;
}

TEST(Pause, CommandSeesEveryRecordOfALongRun) {
    // Several writes of 1 MiB, the last one short: all of them are in the
    // file, and the file closed, when the command runs.
    constexpr int kN = 250000;
    const auto dir = make_temp_dir();
    const ProgramRun run =
        run_program(dir, "URN10\n" + std::to_string(kN) + "\n1\ncp ARCHURN10 copy; echo $? >> copy\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(read_file(dir / "copy"), urn10_records(kN) + "0\n");
}

// How many processors this process may run on.
int processors() {
    cpu_set_t set;
    return ::sched_getaffinity(0, sizeof set, &set) == 0 ? CPU_COUNT(&set) : 1;
}

// A shell line that runs the program held to the first of them.
std::string on_one_processor() {
    cpu_set_t set;
    int first = 0;
    if (::sched_getaffinity(0, sizeof set, &set) == 0) {
        while (first < CPU_SETSIZE - 1 && !CPU_ISSET(first, &set)) ++first;
    }
    return "exec taskset -c " + std::to_string(first) + " \"$TAMBORIL\"";
}

TEST(Dialogue, OnOneProcessorTheRunIsTheSame) {
    // Held to one processor the program makes its writes itself; its
    // console text and data file are those of any run.
    constexpr int kN = 100000;
    const auto dir = make_temp_dir();
    const ProgramRun run = run_shell(dir, on_one_processor(), "URN10\n" + std::to_string(kN) + "\n3\n\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, dialogue_head("URN10") + "\r\n        IX=          1\r\n" + plain_heading(kN) +
                           "\r\n        IX=" + i11(static_cast<std::int32_t>(urn10_state_after(kN))) +
                           normal_tail("URN10"));
    EXPECT_EQ(read_file(dir / "ARCHURN10"), urn10_records(3 * kN));
}

// Held to one processor the program starts no thread for the data file's
// writes; with two or more it does. The console is read late, so that the
// run waits on it in the middle, the writes' thread alive if there is one,
// while its threads are counted.
TEST(Dialogue, OnOneProcessorNoThreadIsStarted) {
    int most[2] = {};
    for (const bool one : {true, false}) {
        SCOPED_TRACE(one ? "one processor" : "every processor");
        const auto dir = make_temp_dir();
        StreamSetup setup;
        setup.input = "URN20\n1\n20000\n\n";
        setup.shell = one ? on_one_processor() : "exec \"$TAMBORIL\"";
        setup.output_delay = std::chrono::milliseconds(300);
        setup.watch = [&most, one](pid_t pid) { most[one ? 0 : 1] = most_threads(pid); };
        const StreamRun run = run_with_streams(dir, setup);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, urn20_one_value_transcript(20000));
        EXPECT_EQ(read_file(dir / "ARCHURN20"), urn20_records(20000));
    }
    EXPECT_EQ(most[0], 1) << "threads on one processor";
    // The count sees the thread where there is one (a sanitizer may add one
    // of its own once a thread is started).
    if (processors() >= 2) {
        EXPECT_GE(most[1], 2) << "no thread seen with more processors";
    }
}

// Runs the program in `dir` with a command "x" first on the search path;
// the command leaves the file bin/x.ran when it runs.
ProgramRun run_with_command_x(const fs::path& dir, const std::string& input) {
    fs::create_directory(dir / "bin");
    std::ofstream(dir / "bin" / "x") << "#!/bin/sh\necho ran > \"$0.ran\"\n";
    fs::permissions(dir / "bin" / "x", fs::perms::owner_all);
    return run_shell(dir, "PATH=\"$PWD/bin:$PATH\" exec \"$TAMBORIL\"", input);
}

// A pause answer of one character, of blanks and tabs, or the end of input
// runs nothing, though a command of that name is at hand; the run is the
// plain one.
TEST(Pause, IgnoresASingleCharacterBlanksAndEndOfInput) {
    const std::string urn10_lines = "        IX=          1\r\n" + plain_heading(2) + "\r\n        IX=       7433";
    for (const char* answer : {"x\n", "x", "x\r\n", "x \t\n", " \t \t\n", "\n", ""}) {
        SCOPED_TRACE(as_literal(answer));
        const auto dir = make_temp_dir();
        const ProgramRun run = run_with_command_x(dir, std::string("URN10\n2\n1\n") + answer);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, dialogue_head("URN10") + "\r\n" + urn10_lines + normal_tail("URN10"));
        EXPECT_EQ(read_file(dir / "ARCHURN10"), urn10_records(2));
        EXPECT_FALSE(fs::exists(dir / "bin" / "x.ran")) << "the answer ran as a command";
    }
    // With a blank before it the answer has two characters, and runs.
    const auto dir = make_temp_dir();
    EXPECT_EQ(run_with_command_x(dir, "URN10\n2\n1\n x\n").status, 0);
    EXPECT_TRUE(fs::exists(dir / "bin" / "x.ran"));
}

TEST(Pause, NotImplementedRunsTheCommandToo) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN29\n1\n1\ntouch ran\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(fs::exists(dir / "ran"));
}

// Ten sequences of a million values: N beyond the prompt's 10 000, and a data
// file of the full run's 130 000 000 bytes. The expected values follow the
// URN01 recurrence in double precision.
TEST(Dialogue, TenMillionValues) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN01\n1000000\n10\n\n");
    EXPECT_EQ(run.status, 0);
    double x = 524287.0;
    for (int i = 0; i < 1000000; ++i) x = std::fmod(x * 16807.0, 2147483647.0);
    char line[32];
    std::snprintf(line, sizeof line, "        IX=%11d", static_cast<int>(x));
    EXPECT_NE(run.out.find(parenthesised_heading(1000000) + "\r\n" + line), std::string::npos);
    for (int i = 1000000; i < 10000000; ++i) x = std::fmod(x * 16807.0, 2147483647.0);
    const auto file = dir / "ARCHURN01";
    ASSERT_EQ(fs::file_size(file), 130000000u);
    std::ifstream in(file, std::ios::binary);
    std::string head(65, '\0'), tail(13, '\0');
    in.read(head.data(), 65);
    in.seekg(-13, std::ios::end);
    in.read(tail.data(), 13);
    EXPECT_EQ(head, crlf({".1032636613", ".5523322225", ".0475576669", ".3017157614", ".9366011024"}));
    const auto last = static_cast<float>(x / 2147483647.0);
    EXPECT_EQ(tail, expected_data_line(last) + "\r\n");
}

// The full run the prompts allow (N = 10 000, M = 1 000) in bounded memory:
// under 14 MiB by the figures the program is built to, checked with the
// margin the input reader's test has (16 MiB), since the process's own
// pages (libraries, stacks) vary from system to system. /usr/bin/time
// measures the program alone.
TEST(Dialogue, FullRunInBoundedMemory) {
    const auto dir = make_temp_dir();
    StreamSetup setup;
    setup.input = "URN01\n10000\n1000\n\n";
    setup.shell = measured_program();
    const StreamRun run = run_with_streams(dir, setup);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(run.out.ends_with(normal_tail("URN01")));
    const auto file = dir / "ARCHURN01";
    ASSERT_EQ(fs::file_size(file), 130000000u);
    // The last record follows the URN01 recurrence in double precision.
    double x = 524287.0;
    for (int i = 0; i < 10000000; ++i) x = std::fmod(x * 16807.0, 2147483647.0);
    std::ifstream in(file, std::ios::binary);
    std::string tail(13, '\0');
    in.seekg(-13, std::ios::end);
    in.read(tail.data(), 13);
    EXPECT_EQ(tail, expected_data_line(static_cast<float>(x / 2147483647.0)) + "\r\n");

    ASSERT_TRUE(can_measure()) << "/usr/bin/time is needed for the figures (Debian package time)";
    const std::optional<Usage> usage = read_usage(dir);
    ASSERT_TRUE(usage) << read_file(dir / "usage");
    if (!kSanitized) {
        EXPECT_LT(usage->peak_kib, 16 * 1024);
    }
}

}  // namespace
}  // namespace tamboril::testing
