// Every system call on the data file is checked, examining and cutting the
// old contents included; the data file never takes a standard stream's
// descriptor; closed standard streams are opened on /dev/null at start.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "records/datafile.hpp"
#include "records/standard_streams.hpp"
#include "tests/support/program.hpp"

namespace tamboril::records {
namespace {

namespace fs = std::filesystem;

class DataFileCallsTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = testing::make_temp_dir();
        old_ = fs::current_path();
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(old_);
        fs::remove_all(dir_);
    }

    // The descriptor on which this process has `name` open.
    static int descriptor_of(const std::string& name) {
        const fs::path target = fs::current_path() / name;
        for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
            std::error_code error;
            if (fs::read_symlink(entry.path(), error) == target) {
                return std::stoi(entry.path().filename().string());
            }
        }
        return -1;
    }

    fs::path dir_;
    fs::path old_;
};

// A message from a DataFileError thrown by `action`, or "" when none is.
template <typename Action>
std::string failure(Action action) {
    try {
        action();
    } catch (const DataFileError& e) {
        return e.what();
    }
    return "";
}

const float kSamples[] = {0.25f, 0.5f};

TEST_F(DataFileCallsTest, FailedExaminationIsAnError) {
    std::ofstream("ARCHOLD") << "old contents";
    DataFile file("ARCHOLD");
    const int fd = descriptor_of("ARCHOLD");
    ASSERT_GT(fd, 2);
    ::close(fd);  // from now on every call on it fails
    EXPECT_EQ(failure([&] { file.write_samples(kSamples); }),
              "cannot examine the data file \"ARCHOLD\": Bad file descriptor");
    EXPECT_EQ(testing::read_file(dir_ / "ARCHOLD"), "old contents");
}

TEST_F(DataFileCallsTest, FailedCutIsAnError) {
    std::ofstream("ARCHOLD") << "old contents";
    DataFile file("ARCHOLD");
    const int fd = descriptor_of("ARCHOLD");
    ASSERT_GT(fd, 2);
    // The same regular file, but open for reading only: it cannot be cut.
    const int read_only = ::open("ARCHOLD", O_RDONLY);
    ASSERT_EQ(::dup2(read_only, fd), fd);
    ::close(read_only);
    EXPECT_EQ(failure([&] { file.write_samples(kSamples); }),
              "cannot cut the old contents of the data file \"ARCHOLD\": Invalid argument");
    EXPECT_EQ(testing::read_file(dir_ / "ARCHOLD"), "old contents");
}

TEST_F(DataFileCallsTest, DeviceIsWrittenWithoutCutting) {
    fs::create_symlink("/dev/null", "ARCHNULL");
    DataFile file("ARCHNULL");
    EXPECT_EQ(failure([&] {
                  file.write_samples(kSamples);
                  file.close();
              }),
              "");
}

TEST(DataFileKinds, FifoIsWrittenWithoutCutting) {
    // Through a FIFO with a reader: records pass, nothing is cut.
    const auto dir = testing::make_temp_dir();
    const testing::ProgramRun run =
        testing::run_shell(dir, "mkfifo ARCHURN10 && { cat ARCHURN10 > copy & \"$TAMBORIL\" > /dev/null; wait; }",
                           "URN10\n2\n1\n\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(testing::read_file(dir / "copy"), testing::crlf({".0152587891", ".9073486328"}));
    fs::remove_all(dir);
}

// With descriptor 1 closed, the data file takes another one; 0 when it does.
int file_beside_a_closed_output() {
    ::close(STDOUT_FILENO);
    DataFile file("ARCHOUT");
    file.write_samples(kSamples);
    file.close();
    return ::fcntl(STDOUT_FILENO, F_GETFD) < 0 && errno == EBADF ? 0 : 1;
}

TEST_F(DataFileCallsTest, NeverOnAStandardStreamDescriptor) {
    EXPECT_EXIT(std::_Exit(file_beside_a_closed_output()), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(testing::read_file(dir_ / "ARCHOUT"), ".2500000000\r\n.5000000000\r\n");
}

// The target of a descriptor's link in /proc.
std::string link_of(int fd) {
    std::error_code error;
    return fs::read_symlink("/proc/self/fd/" + std::to_string(fd), error).string();
}

// Each check runs in a child process of its own (it closes standard
// streams) and exits with 0 when it holds.
int closed_ones_are_opened() {
    const std::string output_before = link_of(STDOUT_FILENO);
    ::close(STDIN_FILENO);
    ::close(STDERR_FILENO);
    const int error = open_missing_standard_streams();
    const bool in = link_of(STDIN_FILENO) == "/dev/null" &&
                    (::fcntl(STDIN_FILENO, F_GETFL) & O_ACCMODE) == O_RDONLY;
    const bool err = link_of(STDERR_FILENO) == "/dev/null" &&
                     (::fcntl(STDERR_FILENO, F_GETFL) & O_ACCMODE) == O_WRONLY;
    const bool out = link_of(STDOUT_FILENO) == output_before;
    // Inherited by the command run at the pause.
    const bool inherited = (::fcntl(STDIN_FILENO, F_GETFD) & FD_CLOEXEC) == 0;
    return error == 0 && in && err && out && inherited ? 0 : 1;
}

int unopenable_device_is_reported() {
    ::close(STDIN_FILENO);
    return open_missing_standard_streams("/nonexistent/null") == ENOENT ? 0 : 1;
}

int open_ones_are_left_alone() {
    const std::string before[] = {link_of(0), link_of(1), link_of(2)};
    const int error = open_missing_standard_streams("/nonexistent/null");
    const bool same = link_of(0) == before[0] && link_of(1) == before[1] && link_of(2) == before[2];
    return error == 0 && same ? 0 : 1;
}

TEST(StandardStreams, ClosedOnesAreOpenedOnTheDevice) {
    EXPECT_EXIT(std::_Exit(closed_ones_are_opened()), ::testing::ExitedWithCode(0), "");
}

TEST(StandardStreams, DeviceThatCannotBeOpenedIsReported) {
    EXPECT_EXIT(std::_Exit(unopenable_device_is_reported()), ::testing::ExitedWithCode(0), "");
}

TEST(StandardStreams, OpenOnesAreLeftAlone) {
    EXPECT_EXIT(std::_Exit(open_ones_are_left_alone()), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace tamboril::records
