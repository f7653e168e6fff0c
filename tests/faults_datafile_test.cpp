// Every system call on the data file is checked, examining and cutting the
// old contents included, whether its writes go to a thread of their own or
// not; nothing reaches the file after a failed write; the data file never
// takes a standard stream's descriptor; closed standard streams are opened on
// /dev/null at start.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "records/datafile.hpp"
#include "records/standard_streams.hpp"
#include "run/driver.hpp"
#include "tests/support/program.hpp"
#include "tests/support/temp_dir_test.hpp"

namespace tamboril::records {
namespace {

namespace fs = std::filesystem;

// Runs in a fresh directory: the data file takes a bare name.
class DataFileCallsTest : public testing::InTempDirTest {
protected:
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

// The calls on the data file fail alike whether its writes go to a thread of
// their own or are made by the caller; with the thread they are reported at
// the next write submitted, flush() or close().
enum class Writes { Overlapped, InTheCaller };

const char* writes_label(Writes writes) { return writes == Writes::Overlapped ? "Overlapped" : "InTheCaller"; }
void PrintTo(Writes writes, std::ostream* os) { *os << writes_label(writes); }
std::string writes_name(const ::testing::TestParamInfo<Writes>& info) { return writes_label(info.param); }

class DataFileFailures : public DataFileCallsTest, public ::testing::WithParamInterface<Writes> {
protected:
    bool overlapped() const { return GetParam() == Writes::Overlapped; }
};

// Records of the first write of the data file at 1 MiB.
constexpr std::size_t kRecordsPerWrite = (std::size_t{1} << 20) / 13;

// The error of the first DataFileError that `steps` throw, run one after
// the other.
struct Caught {
    std::string message;
    std::optional<std::uint64_t> submitted_at;
};
Caught first_failure(std::initializer_list<std::function<void()>> steps) {
    try {
        for (const auto& step : steps) step();
    } catch (const DataFileError& e) {
        return {e.what(), e.submitted_at()};
    }
    return {};
}

TEST_P(DataFileFailures, FailedExaminationKeepsTheOldContents) {
    std::ofstream("ARCHOLD") << "old contents";
    DataFile file("ARCHOLD", overlapped());
    file.set_clock([] { return 5; });
    const int fd = descriptor_of("ARCHOLD");
    ASSERT_GT(fd, 2);
    ::close(fd);  // from now on every call on it fails
    const Caught caught = first_failure({[&] { file.write_samples(kSamples); }, [&] { file.close(); }});
    EXPECT_EQ(caught.message, "cannot examine the data file \"ARCHOLD\": Bad file descriptor");
    EXPECT_EQ(caught.submitted_at, 5u) << "stamped when the first record came";
    EXPECT_EQ(testing::read_file(dir_ / "ARCHOLD"), "old contents");
}

TEST_P(DataFileFailures, FailedCutKeepsTheOldContents) {
    std::ofstream("ARCHOLD") << "old contents";
    DataFile file("ARCHOLD", overlapped());
    const int fd = descriptor_of("ARCHOLD");
    ASSERT_GT(fd, 2);
    // The same regular file, but open for reading only: it cannot be cut.
    const int read_only = ::open("ARCHOLD", O_RDONLY);
    ASSERT_EQ(::dup2(read_only, fd), fd);
    ::close(read_only);
    const Caught caught = first_failure({[&] { file.write_samples(kSamples); }, [&] { file.close(); }});
    EXPECT_EQ(caught.message, "cannot cut the old contents of the data file \"ARCHOLD\": Invalid argument");
    EXPECT_EQ(caught.submitted_at, std::nullopt) << "no clock, no stamp";
    EXPECT_EQ(testing::read_file(dir_ / "ARCHOLD"), "old contents");
}

TEST_P(DataFileFailures, FailedWriteCarriesTheStampOfItsSubmission) {
    fs::create_symlink("/dev/full", "ARCHFULL");
    DataFile file("ARCHFULL", overlapped());
    std::uint64_t now = 1;
    file.set_clock([&now] { return now; });
    const std::vector<float> batch(kRecordsPerWrite, 0.5f);
    const Caught caught = first_failure({
        [&] { file.write_samples(batch); },  // fills the buffer: no write yet
        [&] { now = 7; },
        [&] { file.write_samples(kSamples); },  // the first write is submitted here
        [&] { now = 9; },
        [&] { file.write_samples(batch); },
        [&] { file.close(); },
    });
    EXPECT_EQ(caught.message, "cannot write the data file \"ARCHFULL\": No space left on device");
    EXPECT_EQ(caught.submitted_at, 7u);
}

// In a child process of its own (it limits the size of its files): after a
// failed write, nothing more reaches the file, even where it could.
// Returns 0 when that holds.
int nothing_after_a_failed_write(bool overlapped) {
    const rlim_t limit = 2 * kRecordsPerWrite * 13 + 100;  // inside the third write
    const rlimit low{limit, RLIM_INFINITY};
    if (::setrlimit(RLIMIT_FSIZE, &low) != 0) return 10;
    ::signal(SIGXFSZ, SIG_IGN);
    std::string message;
    std::vector<float> samples(kRecordsPerWrite / 3, 0.25f);
    {
        DataFile file("ARCHLIMIT", overlapped);
        try {
            for (int i = 0; i < 30; ++i) file.write_samples(samples);
            file.close();
            return 11;
        } catch (const DataFileError& e) {
            message = e.what();
        }
        // Room again; the file takes no more records all the same.
        const rlimit high{RLIM_INFINITY, RLIM_INFINITY};
        if (::setrlimit(RLIMIT_FSIZE, &high) != 0) return 12;
        for (auto step : {+[](DataFile& f, std::vector<float>& s) { f.write_samples(s); },
                          +[](DataFile& f, std::vector<float>&) { f.flush(); },
                          +[](DataFile& f, std::vector<float>&) { f.close(); }}) {
            try {
                step(file, samples);
                return 13;
            } catch (const DataFileError& e) {
                if (e.what() != message) return 14;
            }
        }
    }
    if (message != "cannot write the data file \"ARCHLIMIT\": File too large") return 15;
    if (fs::file_size("ARCHLIMIT") != limit) return 16;
    return 0;
}

TEST_P(DataFileFailures, NothingReachesTheFileAfterAFailedWrite) {
    EXPECT_EXIT(std::_Exit(nothing_after_a_failed_write(overlapped())), ::testing::ExitedWithCode(0), "");
}

TEST_P(DataFileFailures, FailedCloseIsReportedWithEveryRecordWritten) {
    DataFile file("ARCHCLOSE", overlapped());
    file.write_samples(kSamples);
    file.flush();
    const int fd = descriptor_of("ARCHCLOSE");
    ASSERT_GT(fd, 2);
    ::close(fd);  // the file's own close() of it now fails
    EXPECT_EQ(failure([&] { file.close(); }), "cannot close the data file \"ARCHCLOSE\": Bad file descriptor");
    EXPECT_EQ(testing::read_file(dir_ / "ARCHCLOSE"), ".2500000000\r\n.5000000000\r\n");
}

TEST_P(DataFileFailures, FlushLeavesEveryRecordSoFarInTheFile) {
    DataFile file("ARCHFLUSH", overlapped());
    const std::vector<float> samples(3 * kRecordsPerWrite + 17, 0.25f);
    std::string expected;
    for (std::size_t i = 0; i < samples.size(); ++i) expected += ".2500000000\r\n";
    file.write_samples(samples);
    file.flush();
    EXPECT_EQ(testing::read_file(dir_ / "ARCHFLUSH"), expected);  // the file still open
    file.close();
    EXPECT_EQ(testing::read_file(dir_ / "ARCHFLUSH"), expected);
}

INSTANTIATE_TEST_SUITE_P(BothWays, DataFileFailures,
                         ::testing::Values(Writes::Overlapped, Writes::InTheCaller), writes_name);

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

TEST(StandardStreams, ProgramEndsWithStatus4WhenNoneCanBeOpened) {
    EXPECT_EXIT(
        {
            ::close(STDIN_FILENO);
            std::_Exit(run::run_program("/nonexistent/null"));
        },
        ::testing::ExitedWithCode(4),
        "^tamboril: a standard stream is closed and /nonexistent/null cannot be opened in its "
        "place: No such file or directory\n$");
}

TEST(StandardStreams, OpenOnesAreLeftAlone) {
    EXPECT_EXIT(std::_Exit(open_ones_are_left_alone()), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace tamboril::records
