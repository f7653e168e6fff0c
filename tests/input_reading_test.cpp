// Reading the console input through a buffer: the same lines as the plain
// reading of a text, in time linear in the input, and input read ahead is
// handed back where the input can be repositioned (an input error where a
// file's position cannot go back).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "records/input.hpp"
#include "tests/support/program.hpp"
#include "tests/support/streams.hpp"
#include "tests/support/temp_dir_test.hpp"

namespace tamboril::testing {
namespace {

namespace fs = std::filesystem;
using records::FdLineSource;
using records::InputError;
using records::kMaxLineKept;
using records::TextLineSource;

class InputReadingTest : public TempDirTest {
protected:
    fs::path write_input(const std::string& text) {
        const fs::path path = dir_ / "input";
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
};

std::vector<std::string> all_lines(records::LineSource& source) {
    std::vector<std::string> lines;
    while (auto line = source.next_line()) lines.push_back(*line);
    return lines;
}

struct Text {
    const char* label;
    std::string text;
};

void PrintTo(const Text& t, std::ostream* os) { *os << t.label; }

const std::string kLong = std::string(kMaxLineKept + 100, 'a') + "\r";

const Text kTexts[] = {
    {"Empty", ""},
    {"OneLine", "URN01\n"},
    {"NoFinalLineEnd", "URN01\n5\n2"},
    {"CrLf", "URN01\r\n5\r\n\r\n2\r\n"},
    {"EmptyLines", "\n\n\n"},
    {"LoneCr", "\r"},
    {"LongLineThenShort", kLong + "\n7\n" + kLong},
    {"KeptLengthExactly", std::string(kMaxLineKept + 1, 'b') + "\r\nx\n"},
};

// Each text, read through buffers of several sizes, gives the lines of the
// plain reading of the same text.
class BufferedLines
    : public InputReadingTest,
      public ::testing::WithParamInterface<std::tuple<std::size_t, bool, Text>> {};

TEST_P(BufferedLines, SameAsThePlainReading) {
    const auto& [buffer, from_pipe, text] = GetParam();
    TextLineSource plain(text.text);
    const std::vector<std::string> expected = all_lines(plain);
    std::vector<std::string> got;
    if (from_pipe) {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        std::thread writer([&, fd = fds[1]] {
            const std::string& bytes = text.text;
            // In uneven pieces, as a pipe may deliver them.
            for (std::size_t at = 0; at < bytes.size();) {
                const std::size_t piece = std::min<std::size_t>(bytes.size() - at, 1 + at % 4099);
                const ssize_t put = ::write(fd, bytes.data() + at, piece);
                if (put <= 0) break;
                at += static_cast<std::size_t>(put);
            }
            ::close(fd);
        });
        FdLineSource source(fds[0], buffer);
        got = all_lines(source);
        writer.join();
        ::close(fds[0]);
    } else {
        const int fd = ::open(write_input(text.text).c_str(), O_RDONLY);
        ASSERT_GE(fd, 0);
        FdLineSource source(fd, buffer);
        got = all_lines(source);
        ::close(fd);
    }
    EXPECT_EQ(got, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BufferedLines,
    ::testing::Combine(::testing::Values(1, 2, 7, 4096, records::kReadBufferBytes),
                       ::testing::Bool(), ::testing::ValuesIn(kTexts)),
    [](const auto& info) {
        return std::string(std::get<2>(info.param).label) + "_Buffer" +
               std::to_string(std::get<0>(info.param)) +
               (std::get<1>(info.param) ? "_Pipe" : "_File");
    });

TEST_F(InputReadingTest, ReadErrorIsNotTheEndOfInput) {
    const int fd = ::open("/", O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    FdLineSource source(fd);
    try {
        source.next_line();
        ADD_FAILURE() << "a directory read as lines";
    } catch (const InputError& e) {
        EXPECT_STREQ(e.what(), "cannot read the console input: Is a directory");
    }
    ::close(fd);
}

TEST_F(InputReadingTest, FileInputIsHandedBackAfterTheLinesTaken) {
    const int fd = ::open(write_input("URN10\n2\nrest\nof it\n").c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    FdLineSource source(fd);
    EXPECT_EQ(source.next_line(), std::optional<std::string>("URN10"));
    EXPECT_EQ(source.give_back(), 0);
    EXPECT_EQ(::lseek(fd, 0, SEEK_CUR), 6);
    // Reading goes on from there, whoever read in between.
    char byte = 0;
    ASSERT_EQ(::read(fd, &byte, 1), 1);
    EXPECT_EQ(byte, '2');
    EXPECT_EQ(source.next_line(), std::optional<std::string>(""));
    EXPECT_EQ(source.next_line(), std::optional<std::string>("rest"));
    ::close(fd);
}

TEST_F(InputReadingTest, PipeInputIsNotHandedBack) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    ASSERT_EQ(::write(fds[1], "a\nb\n", 4), 4);
    ::close(fds[1]);
    FdLineSource source(fds[0]);
    EXPECT_EQ(source.next_line(), std::optional<std::string>("a"));
    EXPECT_EQ(source.give_back(), 0);  // nothing to do: a pipe cannot go back
    EXPECT_EQ(source.next_line(), std::optional<std::string>("b"));
    EXPECT_EQ(source.next_line(), std::nullopt);
    ::close(fds[0]);
}

// From a file, the command at the pause and whatever reads the input after
// the program go on from the line after the last answer.
TEST_F(InputReadingTest, CommandAtThePauseReadsTheRestOfAFile) {
    write_input("URN10\n2\n1\ncat > rest.txt\nline one\nline two\n");
    const ProgramRun run = run_shell(dir_, "\"$TAMBORIL\" < input", "");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(read_file(dir_ / "rest.txt"), "line one\nline two\n");
}

TEST_F(InputReadingTest, InputAfterTheRunIsLeftForTheNextReader) {
    write_input("URN10\n2\n1\n\nleft over\n");
    const ProgramRun run = run_shell(dir_, "{ \"$TAMBORIL\" > /dev/null; cat; } < input", "");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "left over\n");
}

// Input read ahead that cannot be handed back. Another holder of the same
// open file moves its position back to the start once the program has read
// it all (at the first read); the position then cannot go back by what was
// read ahead. The program's console is read late, so that it is still
// generating when that happens. Before a command at the pause, and at the
// end when none ran: exit 2 with the system's reason, no command run, every
// record in the data file.
TEST_F(InputReadingTest, InputThatCannotBeRepositionedIsAnInputError) {
    for (const std::string answer : {"touch ran", "x"}) {
        SCOPED_TRACE(answer);
        const std::string text = "URN20\n1\n20000\n" + answer + "\nrest\n";
        const int fd = ::open(write_input(text).c_str(), O_RDONLY);
        ASSERT_GE(fd, 0);
        StreamSetup setup;
        setup.in = Stream::descriptor(fd);
        setup.output_delay = std::chrono::milliseconds(300);
        setup.watch = [fd, size = static_cast<off_t>(text.size())](pid_t) {
            const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (::lseek(fd, 0, SEEK_CUR) != size && std::chrono::steady_clock::now() < give_up) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            ::lseek(fd, 0, SEEK_SET);
        };
        const StreamRun run = run_with_streams(dir_, setup);
        ::close(fd);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, error_line("cannot reposition the console input: Invalid argument"));
        // Stopped at the pause, the run leaves its last line open.
        const std::string whole = urn20_one_value_transcript(20000);
        EXPECT_EQ(run.out, answer == "x" ? whole : whole.substr(0, whole.size() - 2));
        EXPECT_EQ(read_file(dir_ / "ARCHURN20"), urn20_records(20000));
        EXPECT_FALSE(fs::exists(dir_ / "ran"));
        fs::remove(dir_ / "ARCHURN20");
    }
}

// A name line of 200 MB without a line end is read in time linear in its
// length and in memory that does not grow with it. /usr/bin/time measures the
// program alone; without it the run is checked all the same, and the test
// fails for want of the figures.
class LongLine : public InputReadingTest, public ::testing::WithParamInterface<bool> {};

TEST_P(LongLine, ReadQuicklyInBoundedMemory) {
    constexpr std::size_t kBytes = 200'000'000;
    StreamSetup setup;
    setup.shell = measured_program();
    if (GetParam()) {
        setup.input = "URN10";
        setup.filler_bytes = kBytes - 5;
    } else {
        std::ofstream file(dir_ / "input", std::ios::binary);
        file << "URN10";
        const std::string block(1 << 20, 'z');
        for (std::size_t at = 5; at < kBytes; at += block.size()) {
            file.write(block.data(), static_cast<std::streamsize>(std::min(block.size(), kBytes - at)));
        }
        file.close();
        ASSERT_EQ(fs::file_size(dir_ / "input"), kBytes);
        setup.in = Stream::file(dir_ / "input");
    }
    const StreamRun run = run_with_streams(dir_, setup);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "tamboril: end of input while reading N (values per sequence)\n");
    EXPECT_EQ(read_file(dir_ / "ARCHURN10"), "");

    ASSERT_TRUE(can_measure()) << "/usr/bin/time is needed for the figures (Debian package time)";
    const std::optional<Usage> usage = read_usage(dir_);
    ASSERT_TRUE(usage) << read_file(dir_ / "usage");
    // Well under 2 s of processor time (the sanitizers slow every byte), in
    // a few MiB.
    EXPECT_LT(usage->seconds, kSanitized ? 20.0 : 2.0);
    if (!kSanitized) {
        EXPECT_LT(usage->peak_kib, 16 * 1024);
    }
}

INSTANTIATE_TEST_SUITE_P(Source, LongLine, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "Pipe" : "File"); });

}  // namespace
}  // namespace tamboril::testing
