// Runs a built program (tamboril by default, or tamboril-stream) with its
// standard streams set up as a test needs: pipes, files, devices, a
// directory, a descriptor the test holds, or closed. Every end-to-end test
// runs its processes through run_with_streams.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tamboril::testing {

struct Stream {
    enum class Kind { Pipe, Path, Descriptor, Closed };
    Kind kind = Kind::Pipe;
    std::filesystem::path path;  // Path: opened for reading (0) or writing (1, 2)
    int fd = -1;                 // Descriptor: given to the program as it is

    static Stream pipe() { return {}; }
    static Stream file(std::filesystem::path p) { return {Kind::Path, std::move(p), -1}; }
    static Stream descriptor(int fd) { return {Kind::Descriptor, {}, fd}; }
    static Stream closed() { return {Kind::Closed, {}, -1}; }
};

// The programs a test can run.
enum class Program { Tamboril, Stream };

struct StreamSetup {
    Program program = Program::Tamboril;
    std::vector<std::string> args;  // after the program's name
    Stream in, out, err;
    // Written to a piped standard input, followed by `filler_bytes` bytes
    // `filler`; then the pipe is closed.
    std::string input;
    std::size_t filler_bytes = 0;
    char filler = 'z';
    // The piped standard input is non-blocking, and its input comes late.
    bool nonblocking_input = false;
    std::chrono::milliseconds input_delay{0};
    // The piped standard output is non-blocking, and its reader comes late
    // (until then the pipe fills and the program waits on it).
    bool nonblocking_output = false;
    std::chrono::milliseconds output_delay{0};
    // A piped standard output is closed by its reader as soon as this text
    // has come (empty: read to the end), or once this many bytes have come.
    std::string close_output_after;
    std::optional<std::size_t> close_output_after_bytes;
    // The program starts with SIGPIPE ignored.
    bool ignore_sigpipe = false;
    // Bytes that a file of the program may hold (RLIMIT_FSIZE), with SIGXFSZ
    // ignored so that a write past it fails with EFBIG; 0: no limit.
    std::uint64_t file_size_limit = 0;
    // A close() in the program (or anything it starts) of a descriptor open
    // on a file of this name fails with EIO, as on a file system that reports
    // a lost write only then; the descriptor stays open. Every other close()
    // goes ahead. Empty: none fails.
    std::string failing_close_of;
    // Run through /bin/sh -c with the program's path in $TAMBORIL.
    std::string shell;
    // Called on a thread of its own with the process id as soon as the
    // process is started; the run ends when it has returned and the process
    // has ended (the process is reaped after it returns).
    std::function<void(pid_t)> watch;
};

struct StreamRun {
    std::string out;  // what came through a piped standard output
    std::string err;  // and a piped standard error
    int status = -1;  // exit status, or -1 when a signal ended the process
    int signal = 0;   // the signal that ended it
    double cpu_seconds = 0;  // user and system time of the process
};

// Runs the program (or `setup.shell`) in `dir`.
StreamRun run_with_streams(const std::filesystem::path& dir, const StreamSetup& setup);

// The processor time and peak memory of the program alone, as /usr/bin/time
// (Debian package time) measures them; the test suite needs it.
struct Usage {
    double seconds = 0;  // user and system time
    long peak_kib = 0;   // the largest resident set
};

// Whether /usr/bin/time is there.
bool can_measure();

// A shell line for StreamSetup::shell that runs the program under
// /usr/bin/time, which leaves its figures in the file "usage" of the run's
// folder; without /usr/bin/time, the program alone.
std::string measured_program();

// The figures of a run of measured_program() in `dir`, if it left them.
std::optional<Usage> read_usage(const std::filesystem::path& dir);

// Looks at a process in /proc every millisecond until it has ended (a
// zombie, or gone); returns the most threads it had at one look. For
// StreamSetup::watch.
int most_threads(pid_t pid);

}  // namespace tamboril::testing
