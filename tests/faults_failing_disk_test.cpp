// A data file that cannot be created, written or closed: exit status 1, one
// line on standard error naming the file and the reason, no closing message,
// the console text that came before the failed write and the file's bytes up
// to it.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <string>

#include "tests/support/program.hpp"
#include "tests/support/streams.hpp"

namespace tamboril::testing {
namespace {

namespace fs = std::filesystem;

TEST(FailingDisk, DiskFullIsAnErrorWithoutTheClosingMessage) {
    const auto dir = make_temp_dir();
    fs::create_symlink("/dev/full", dir / "ARCHURN01");
    const ProgramRun run = run_program(dir, "URN01\n5\n1\n\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "tamboril: cannot write the data file \"ARCHURN01\": No space left on device\n");
    EXPECT_EQ(run.out.find("LA EJECUCION HA FINALIZADO"), std::string::npos);
}

// Records in one write of the data file (1 MiB of them).
constexpr std::int32_t kRecordsPerWrite = (1 << 20) / 13;

TEST(FailingDisk, ConsoleTextEndsWhereTheFailedWriteWasSubmitted) {
    // The first write is submitted by the record after the first 1 MiB, inside
    // the first call: the call's state report, which follows in the text,
    // is never shown, however late the failure is seen.
    const auto dir = make_temp_dir();
    fs::create_symlink("/dev/full", dir / "ARCHURN01");
    const ProgramRun run = run_program(dir, "URN01\n" + std::to_string(kRecordsPerWrite + 1) + "\n2\n\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "tamboril: cannot write the data file \"ARCHURN01\": No space left on device\n");
    EXPECT_EQ(run.out, dialogue_head("URN01") + "\r\n        IX=     524287");
}

TEST(FailingDisk, FileSizeLimitKeepsExactlyTheBytesBeforeIt) {
    // Four writes of 1 MiB pass; the fifth, submitted during the fifth
    // sequence, stops at the limit. The file holds the stream up to the
    // limit, and the console the lines of the four sequences before.
    constexpr int kN = 100000;
    constexpr std::uint64_t kLimit = 4ull * kRecordsPerWrite * 13 + 548;
    const auto dir = make_temp_dir();
    StreamSetup setup;
    setup.input = "URN20\n" + std::to_string(kN) + "\n6\n\n";
    setup.file_size_limit = kLimit;
    const StreamRun run = run_with_streams(dir, setup);

    Urn20Stream stream;
    std::string records;
    std::string console = dialogue_head("URN20");
    for (int sequence = 1; sequence <= 4; ++sequence) {
        for (int i = 0; i < kN; ++i) records += stream.next_record();
        console += "\r\n" + stream.ix_line();
        if (sequence == 1) console += "\r\n" + plain_heading(kN) + "\r\n" + stream.ix_line();
    }
    while (records.size() < kLimit) records += stream.next_record();
    records.resize(kLimit);

    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "tamboril: cannot write the data file \"ARCHURN20\": File too large\n");
    EXPECT_EQ(run.out, console);
    EXPECT_EQ(read_file(dir / "ARCHURN20"), records);
}

// A close() of the data file that fails, as on a file system that reports a
// lost write only then: exit 1 with the reason, no closing message, every
// record in the file.
TEST(FailingDisk, FailedCloseIsAnErrorWithEveryRecordKept) {
    const auto dir = make_temp_dir();
    StreamSetup setup;
    setup.input = "URN10\n2\n3\n\n";
    setup.failing_close_of = "ARCHURN10";
    const StreamRun run = run_with_streams(dir, setup);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, error_line("cannot close the data file \"ARCHURN10\": Input/output error"));
    EXPECT_EQ(run.out, dialogue_head("URN10") + "\r\n        IX=          1\r\n" + plain_heading(2) +
                           "\r\n        IX=       7433");
    EXPECT_EQ(read_file(dir / "ARCHURN10"), urn10_records(6));
}

TEST(FailingDisk, FullDiskDuringANotImplementedRunIsNoError) {
    // Nothing is written for a generator that is not implemented.
    const auto dir = make_temp_dir();
    fs::create_symlink("/dev/full", dir / "ARCHURN24");
    const ProgramRun run = run_program(dir, "URN24\n5\n1\n\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
}

TEST(FailingDisk, FifoWhoseReaderLeavesEndsTheRunOnSigpipe) {
    const auto dir = make_temp_dir();
    ASSERT_EQ(::mkfifo((dir / "ARCHURN01").c_str(), 0600), 0);
    StreamSetup setup;
    setup.input = "URN01\n10000\n1000\n\n";
    setup.shell = "head -c 100 ARCHURN01 > /dev/null & exec \"$TAMBORIL\"";
    const StreamRun run = run_with_streams(dir, setup);
    EXPECT_EQ(run.signal, SIGPIPE);
    EXPECT_EQ(run.err, "");
}

TEST(FailingDisk, DataFileNameIsADirectory) {
    const auto dir = make_temp_dir();
    fs::create_directory(dir / "ARCHURN01");
    const ProgramRun run = run_program(dir, "URN01\n5\n1\n\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "tamboril: cannot create the data file \"ARCHURN01\": Is a directory\n");
    EXPECT_EQ(run.out.find("*****"), std::string::npos);
}

TEST(FailingDisk, RemovedWorkingDirectory) {
    const auto dir = make_temp_dir();
    const ProgramRun run =
        run_shell(dir, "mkdir gone && cd gone && rmdir ../gone && exec \"$TAMBORIL\"", "URN01\n5\n1\n\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "tamboril: cannot create the data file \"ARCHURN01\": No such file or directory\n");
    EXPECT_EQ(run.out.find("LA EJECUCION"), std::string::npos);
}

TEST(FailingDisk, NameWithASlashNeverLeavesTheDirectory) {
    const auto dir = make_temp_dir();
    fs::create_directory(dir / "ARCHa");
    const ProgramRun run = run_program(dir, "a/b\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "tamboril: cannot create the data file \"ARCHa/b\": the name must not contain '/'\n");
    EXPECT_FALSE(fs::exists(dir / "ARCHa" / "b"));
}

}  // namespace
}  // namespace tamboril::testing
