// tamboril-stream: the values of one generator on standard output, as
// data-file lines or as raw binary for test batteries.
#include <unistd.h>

#include <csignal>
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "records/fd_io.hpp"
#include "stream/options.hpp"
#include "stream/run.hpp"

int main(int argc, char** argv) {
    using namespace tamboril::stream;
    // A closed pipe shows as EPIPE from write(), which ends the stream quietly.
    std::signal(SIGPIPE, SIG_IGN);

    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    Options options;
    try {
        options = parse_options(args);
    } catch (const UsageError& error) {
        const std::string line = std::string("tamboril-stream: ") + error.what() + "\n";
        (void)tamboril::records::write_all(STDERR_FILENO, line);
        return kExitUsage;
    }
    int status = run(options, STDOUT_FILENO, STDERR_FILENO);
    // Output that only fails when it is closed is a failure too.
    if (::close(STDOUT_FILENO) != 0 && status == kExitDone && errno != EPIPE && errno != EINTR) {
        const std::string line = std::string("tamboril-stream: cannot write to standard output: ") +
                                 std::strerror(errno) + "\n";
        (void)tamboril::records::write_all(STDERR_FILENO, line);
        status = kExitWriteFailed;
    }
    return status;
}
