// The interactive program's command line: no arguments runs the dialogue;
// --help and --version print and stop; anything else is refused with one
// line, before any file is touched.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/program.hpp"
#include "tests/support/temp_dir_test.hpp"

namespace tamboril::testing {
namespace {

class ProgramArguments : public TempDirTest {};

TEST_F(ProgramArguments, HelpAndVersionPrintAndStop) {
    const auto help = run_shell(dir_, "\"$TAMBORIL\" --help", "URN01\n5\n2\n\n");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(help.out.rfind("usage: tamboril\n       tamboril --help | --version\n", 0), 0u) << help.out;
    for (const char* part : {"ARCH", "--version", "Exit status", "printf 'URN01\\n5\\n2\\n\\n' | tamboril"}) {
        EXPECT_NE(help.out.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(run_shell(dir_, "\"$TAMBORIL\" -h", "").out, help.out);

    const auto version = run_shell(dir_, "\"$TAMBORIL\" --version", "");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "tamboril " TAMBORIL_TEST_VERSION "\n");
    EXPECT_TRUE(std::filesystem::is_empty(dir_)) << "no data file for --help or --version";
}

TEST_F(ProgramArguments, AnythingElseIsRefusedWithOneLine) {
    for (const char* args : {"URN01", "--count 5", "--help extra", "-x"}) {
        const auto run = run_shell(dir_, std::string("\"$TAMBORIL\" ") + args, "URN01\n5\n2\n\n");
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_EQ(run.out, "") << args;
        EXPECT_EQ(run.err.find("tamboril: the dialogue takes no arguments, not \""), 0u) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir_));
}

TEST_F(ProgramArguments, HelpIntoAFullDeviceIsAFailure) {
    const auto run = run_shell(dir_, "\"$TAMBORIL\" --help > /dev/full", "");
    EXPECT_EQ(run.status, 3);
}

}  // namespace
}  // namespace tamboril::testing
