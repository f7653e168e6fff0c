// A data file that cannot be created or written: exit status 1, one line on
// standard error naming the file and the reason, and no closing message.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/program.hpp"

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

TEST(FailingDisk, FullDiskDuringANotImplementedRunIsNoError) {
    // Nothing is written for a generator that is not implemented.
    const auto dir = make_temp_dir();
    fs::create_symlink("/dev/full", dir / "ARCHURN24");
    const ProgramRun run = run_program(dir, "URN24\n5\n1\n\n");
    EXPECT_EQ(run.status, 0);
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
