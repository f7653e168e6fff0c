// Standard streams that are closed, full, broken or unreadable: the data file
// holds exactly its records, and no failure ends as a success.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "records/fd_io.hpp"
#include "tests/support/program.hpp"
#include "tests/support/streams.hpp"
#include "tests/support/temp_dir_test.hpp"

namespace tamboril::testing {
namespace {

namespace fs = std::filesystem;

// The whole console text of "URN10", N = 2, M = 1 and a blank pause answer,
// from the templates of the dialogue and of URN10.
std::string urn10_transcript() {
    return dialogue_head("URN10") + "\r\n" +
           "        IX=          1\r\n"
           "LA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO SIGUIENTE A LOS          2\r\n"
           "YA GENERADOS) ES\r\n"
           "        IX=       7433" +
           normal_tail("URN10");
}

const std::string kNamePrompt =
    "Ingresar(mayusculas) el nombre, URN** ,del Generador deseado para obtener el   \r\n"
    "archivo ARCHURN** de Numeros Pseudoaleatorios";

// The console text up to the prompt for N, where a bad answer for N ends it.
std::string up_to_the_count_prompt() {
    const std::string head = dialogue_head("URN10");
    return head.substr(0, head.size() - std::string("Entre la cantidad de sucesiones (<= 1 mil)").size() -
                              2);
}

class StreamsTest : public TempDirTest {};

// Closed standard streams: each is taken as /dev/null, so the data file is
// never one of them.
struct ClosedCase {
    const char* label;
    bool close_in, close_out, close_err;
    std::string input;
    int status;
    std::string out;                  // when standard output is open
    std::string err;                  // when standard error is open
    std::optional<std::string> data;  // ARCHURN10; nullopt: not created
};

void PrintTo(const ClosedCase& c, std::ostream* os) { *os << c.label; }

class ClosedStreams : public StreamsTest, public ::testing::WithParamInterface<ClosedCase> {};

TEST_P(ClosedStreams, DataFileHoldsExactlyItsRecords) {
    const ClosedCase& c = GetParam();
    StreamSetup setup;
    setup.input = c.input;
    if (c.close_in) setup.in = Stream::closed();
    if (c.close_out) setup.out = Stream::closed();
    if (c.close_err) setup.err = Stream::closed();
    const StreamRun run = run_with_streams(dir_, setup);
    EXPECT_EQ(run.status, c.status);
    if (!c.close_out) {
        EXPECT_EQ(run.out, c.out);
    }
    if (!c.close_err) {
        EXPECT_EQ(run.err, c.err);
    }
    if (c.data) {
        ASSERT_TRUE(fs::exists(dir_ / "ARCHURN10"));
        EXPECT_EQ(read_file(dir_ / "ARCHURN10"), *c.data);
    } else {
        EXPECT_FALSE(fs::exists(dir_ / "ARCHURN10"));
    }
}

const std::string kRun = "URN10\n2\n1\n\n";

INSTANTIATE_TEST_SUITE_P(
    Descriptors, ClosedStreams,
    ::testing::Values(
        ClosedCase{"OutputClosed", false, true, false, kRun, 0, "", "", urn10_records(2)},
        ClosedCase{"ErrorClosed", false, false, true, kRun, 0, urn10_transcript(), "",
                   urn10_records(2)},
        ClosedCase{"OutputAndErrorClosed", false, true, true, kRun, 0, "", "", urn10_records(2)},
        ClosedCase{"ErrorClosedAtAnInputError", false, false, true, "URN10\nabc\n1\n", 2,
                   up_to_the_count_prompt(), "", ""},
        ClosedCase{"OutputClosedAtAnInputError", false, true, false, "URN10\nabc\n1\n", 2, "",
                   error_line("the answer for N (values per sequence) is not an integer: read "
                            "\"abc\""),
                   ""},
        ClosedCase{"InputClosed", true, false, false, "", 2, kNamePrompt,
                   error_line("end of input while reading the generator name"), std::nullopt},
        ClosedCase{"AllClosed", true, true, true, "", 2, "", "", std::nullopt}),
    [](const ::testing::TestParamInfo<ClosedCase>& info) { return std::string(info.param.label); });

TEST_F(StreamsTest, ClosedOutputAndTheCommandAtThePause) {
    // The command inherits the /dev/null that stands for the closed output.
    StreamSetup setup;
    setup.out = Stream::closed();
    setup.input = "URN10\n2\n1\necho text; t=$(readlink /proc/$$/fd/1); echo \"$t\" > where.txt\n";
    const StreamRun run = run_with_streams(dir_, setup);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(read_file(dir_ / "ARCHURN10"), urn10_records(2));
    EXPECT_EQ(read_file(dir_ / "where.txt"), "/dev/null\n");
}

// Console output that cannot be written: the run goes on, the data file is
// complete, and the failure is the exit status.
struct FullCase {
    const char* label;
    std::string input;
    bool data_on_full_device;
    int status;
    std::string err;
    std::string data;  // ARCHURN10 or ARCHURN20
    const char* file;
};

void PrintTo(const FullCase& c, std::ostream* os) { *os << c.label; }

class FullConsole : public StreamsTest, public ::testing::WithParamInterface<FullCase> {};

TEST_P(FullConsole, RunCompletesAndReportsTheConsole) {
    const FullCase& c = GetParam();
    if (c.data_on_full_device) fs::create_symlink("/dev/full", dir_ / c.file);
    StreamSetup setup;
    setup.input = c.input;
    setup.out = Stream::file("/dev/full");
    const StreamRun run = run_with_streams(dir_, setup);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err, c.err);
    if (!c.data_on_full_device) {
        EXPECT_EQ(read_file(dir_ / c.file), c.data);
    }
}

const std::string kConsoleFull = error_line("cannot write the console output: No space left on device");

INSTANTIATE_TEST_SUITE_P(
    DevFull, FullConsole,
    ::testing::Values(
        FullCase{"NormalRun", "URN10\n3\n2\n\n", false, 3, kConsoleFull, urn10_records(6),
                 "ARCHURN10"},
        // URN20 prints its state after every sequence: console text well past
        // the text held before it is written out.
        FullCase{"ManyConsoleLines", "URN20\n1\n20000\n\n", false, 3, kConsoleFull,
                 urn20_records(20000), "ARCHURN20"},
        FullCase{"UnknownName", "URN1\n", false, 3, kConsoleFull, "", "ARCHURN1"},
        FullCase{"InputErrorKeepsItsStatus", "URN10\nabc\n", false, 2,
                 error_line("the answer for N (values per sequence) is not an integer: read \"abc\"") +
                     kConsoleFull,
                 "", "ARCHURN10"},
        FullCase{"DataFileErrorKeepsItsStatus", "URN10\n3\n2\n\n", true, 1,
                 error_line("cannot write the data file \"ARCHURN10\": No space left on device") +
                     kConsoleFull,
                 "", "ARCHURN10"}),
    [](const ::testing::TestParamInfo<FullCase>& info) { return std::string(info.param.label); });

TEST_F(StreamsTest, BrokenPipeWithSigpipeIgnoredIsAConsoleFailure) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    ::close(fds[0]);  // nobody reads
    StreamSetup setup;
    setup.input = "URN10\n3\n2\n\n";
    setup.out = Stream::descriptor(fds[1]);
    setup.ignore_sigpipe = true;
    const StreamRun run = run_with_streams(dir_, setup);
    ::close(fds[1]);
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err, error_line("cannot write the console output: Broken pipe"));
    EXPECT_EQ(read_file(dir_ / "ARCHURN10"), urn10_records(6));
}

// A console pipe closed early: the process ends on SIGPIPE, as Unix programs
// do, and the data file then holds every record generated before the write
// that failed. URN20 writes a state line after each sequence, so that write
// comes between two sequences.
struct BrokenCase {
    const char* label;
    // The reader is `head -c 2000` (the dialogue before the first sequence
    // is shorter, so head leaves during the sequences); else it leaves after
    // the state report.
    bool through_head;
    std::size_t n;  // values per sequence
    std::size_t m;  // sequences
};

void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.label; }

class BrokenPipe : public StreamsTest, public ::testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenPipe, EndsOnSigpipeWithTheRecordsBeforeIt) {
    const std::size_t kN = GetParam().n;
    const std::string input = "URN20\n" + std::to_string(kN) + "\n" + std::to_string(GetParam().m) + "\n\n";
    StreamSetup setup;
    setup.input = input;
    if (GetParam().through_head) {
        setup.shell = "(\"$TAMBORIL\"; echo \"status $?\" >&2) | head -c 2000 > /dev/null";
    } else {
        setup.close_output_after = "YA GENERADOS) ES";
    }
    const StreamRun run = run_with_streams(dir_, setup);
    if (GetParam().through_head) {
        EXPECT_EQ(run.err, "status " + std::to_string(128 + SIGPIPE) + "\n");
    } else {
        EXPECT_EQ(run.signal, SIGPIPE);
        EXPECT_EQ(run.err, "");
    }
    const std::string data = read_file(dir_ / "ARCHURN20");
    ASSERT_EQ(data.size() % 13, 0u);
    const std::size_t records = data.size() / 13;
    EXPECT_GT(records, 0u);
    EXPECT_LT(records, GetParam().m * kN);  // ended early
    EXPECT_EQ(records % kN, 0u) << "the file ends inside a sequence";
    EXPECT_EQ(data, urn20_records(records));
}

INSTANTIATE_TEST_SUITE_P(Reader, BrokenPipe,
                         ::testing::Values(BrokenCase{"HeadReadsTwoThousandBytes", true, 7, 200000},
                                           BrokenCase{"ReaderLeavesAfterTheReport", false, 7, 200000},
                                           // Several writes of 1 MiB between two writes of
                                           // the console.
                                           BrokenCase{"HeadAndWritesOnTheirWay", true, 101, 20000},
                                           BrokenCase{"ReaderLeavesAndWritesOnTheirWay", false, 101,
                                                      20000}),
                         [](const ::testing::TestParamInfo<BrokenCase>& info) {
                             return std::string(info.param.label);
                         });

// Reads that fail are not the end of input: exit 2 with the system's reason,
// at the name, at N, at M and at the pause.
TEST_F(StreamsTest, DirectoryAsInput) {
    StreamSetup setup;
    setup.in = Stream::file("/");
    const StreamRun run = run_with_streams(dir_, setup);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, error_line("cannot read the console input: Is a directory"));
    EXPECT_EQ(run.out, kNamePrompt);
    EXPECT_FALSE(fs::exists(dir_ / "ARCH"));
}

struct FailingReadCase {
    const char* label;
    std::string given;  // the input that comes before the read that fails
    std::optional<std::string> data;
};

void PrintTo(const FailingReadCase& c, std::ostream* os) { *os << c.label; }

class FailingRead : public StreamsTest, public ::testing::WithParamInterface<FailingReadCase> {};

TEST_P(FailingRead, IsAnInputErrorWithTheReason) {
    // A socket whose receive times out: once the answers given are read, the
    // next read fails with EAGAIN.
    int fds[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
    const timeval timeout{0, 200000};
    ASSERT_EQ(::setsockopt(fds[0], SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout), 0);
    const std::string& given = GetParam().given;
    ASSERT_EQ(::write(fds[1], given.data(), given.size()), static_cast<ssize_t>(given.size()));
    StreamSetup setup;
    setup.in = Stream::descriptor(fds[0]);
    const StreamRun run = run_with_streams(dir_, setup);
    ::close(fds[0]);
    ::close(fds[1]);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, error_line("cannot read the console input: Resource temporarily unavailable"));
    if (GetParam().data) {
        EXPECT_EQ(read_file(dir_ / "ARCHURN10"), *GetParam().data);
    } else {
        EXPECT_FALSE(fs::exists(dir_ / "ARCHURN10"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Socket, FailingRead,
    ::testing::Values(FailingReadCase{"AtTheName", "", std::nullopt},
                      FailingReadCase{"AtN", "URN10\n", ""},
                      FailingReadCase{"AtM", "URN10\n2\n", ""},
                      FailingReadCase{"AtThePause", "URN10\n2\n3\n", urn10_records(6)}),
    [](const ::testing::TestParamInfo<FailingReadCase>& info) {
        return std::string(info.param.label);
    });

// A non-blocking console whose reader comes late: the program waits for it,
// and loses no text. URN20 prints its state after every sequence, far more
// than a pipe holds.
TEST_F(StreamsTest, NonBlockingOutputIsWaitedFor) {
    StreamSetup setup;
    setup.input = "URN20\n1\n20000\n\n";
    setup.nonblocking_output = true;
    setup.output_delay = std::chrono::milliseconds(500);
    const StreamRun run = run_with_streams(dir_, setup);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, urn20_one_value_transcript(20000));
    EXPECT_EQ(read_file(dir_ / "ARCHURN20"), urn20_records(20000));
}

TEST_F(StreamsTest, NonBlockingInputIsWaitedFor) {
    StreamSetup setup;
    setup.input = kRun;
    setup.nonblocking_input = true;
    setup.input_delay = std::chrono::milliseconds(300);
    const StreamRun run = run_with_streams(dir_, setup);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, urn10_transcript());
    EXPECT_EQ(read_file(dir_ / "ARCHURN10"), urn10_records(2));
}

// Whole writes against a write call that takes part of the text, is
// interrupted, fails or makes no progress.
struct WriteStep {
    ssize_t result;  // > 0: take at most this many bytes; else the call's result
    int error;       // errno when the result is -1
};

struct WholeWriteCase {
    const char* label;
    std::vector<WriteStep> steps;  // then every call takes all it is given
    int returned;
    std::string kept;  // of "0123456789"
    int calls;
};

void PrintTo(const WholeWriteCase& c, std::ostream* os) { *os << c.label; }

struct ScriptedWrite {
    std::vector<WriteStep> steps;
    std::string taken;
    int calls = 0;
} scripted;

ssize_t scripted_write(int, const void* data, std::size_t size) {
    const WriteStep step = static_cast<std::size_t>(scripted.calls) < scripted.steps.size()
                               ? scripted.steps[static_cast<std::size_t>(scripted.calls)]
                               : WriteStep{static_cast<ssize_t>(size), 0};
    ++scripted.calls;
    if (step.result < 0) errno = step.error;
    if (step.result <= 0) return step.result;
    const auto taken = std::min(size, static_cast<std::size_t>(step.result));
    scripted.taken.append(static_cast<const char*>(data), taken);
    return static_cast<ssize_t>(taken);
}

class WholeWrites : public ::testing::TestWithParam<WholeWriteCase> {};

TEST_P(WholeWrites, EndWithEverythingWrittenOrTheReason) {
    const WholeWriteCase& c = GetParam();
    // A blocking pipe: EAGAIN from it is a timeout, not a reason to wait.
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    scripted = {c.steps, "", 0};
    EXPECT_EQ(records::write_all(fds[1], "0123456789", scripted_write), c.returned);
    ::close(fds[0]);
    ::close(fds[1]);
    EXPECT_EQ(scripted.taken, c.kept);
    EXPECT_EQ(scripted.calls, c.calls);
}

INSTANTIATE_TEST_SUITE_P(
    ScriptedCalls, WholeWrites,
    ::testing::Values(
        WholeWriteCase{"AllAtOnce", {}, 0, "0123456789", 1},
        WholeWriteCase{"ShortWrites", {{3, 0}, {1, 0}, {4, 0}}, 0, "0123456789", 4},
        WholeWriteCase{"Interrupted", {{2, 0}, {-1, EINTR}, {-1, EINTR}}, 0, "0123456789", 4},
        WholeWriteCase{"NoProgressEndsTheLoop", {{4, 0}, {0, 0}}, EIO, "0123", 2},
        WholeWriteCase{"FailureKeepsItsReason", {{6, 0}, {-1, ENOSPC}}, ENOSPC, "012345", 2},
        WholeWriteCase{"TimeoutOnABlockingDescriptor", {{-1, EAGAIN}}, EAGAIN, "", 1}),
    [](const ::testing::TestParamInfo<WholeWriteCase>& info) {
        return std::string(info.param.label);
    });

}  // namespace
}  // namespace tamboril::testing
