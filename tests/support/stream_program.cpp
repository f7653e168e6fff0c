#include "tests/support/stream_program.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace tamboril::testing {

namespace {

// Forks and runs the program with standard output on `out_fd` and standard
// error on a pipe. Reads standard error until it closes, and standard output
// from `out_read_fd` (when there is one) until it closes or, with
// `close_after`, until that many bytes have come.
StreamRun run(const std::vector<std::string>& args, int out_fd, int out_read_fd,
              std::optional<std::size_t> close_after) {
    int err_pipe[2];
    if (::pipe(err_pipe) != 0) throw std::runtime_error("pipe failed");
    std::vector<char*> argv;
    std::string program = TAMBORIL_STREAM_EXE;
    argv.push_back(program.data());
    std::vector<std::string> copies(args);
    for (auto& arg : copies) argv.push_back(arg.data());
    argv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        ::dup2(out_fd, 1);
        ::dup2(err_pipe[1], 2);
        ::close(err_pipe[0]);
        ::close(err_pipe[1]);
        if (out_fd != 1) ::close(out_fd);
        if (out_read_fd >= 0) ::close(out_read_fd);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(err_pipe[1]);
    ::close(out_fd);

    StreamRun result;
    int fds[2] = {out_read_fd, err_pipe[0]};
    char buf[65536];
    while (fds[0] >= 0 || fds[1] >= 0) {
        pollfd polled[2] = {{fds[0], POLLIN, 0}, {fds[1], POLLIN, 0}};
        if (::poll(polled, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (int k = 0; k < 2; ++k) {
            if (fds[k] < 0 || polled[k].revents == 0) continue;
            std::string& text = k == 0 ? result.out : result.err;
            std::size_t want = sizeof buf;
            if (k == 0 && close_after) want = std::min(want, *close_after - result.out.size());
            const ssize_t got = ::read(fds[k], buf, want);
            if (got > 0) text.append(buf, static_cast<std::size_t>(got));
            const bool enough = k == 0 && close_after && result.out.size() >= *close_after;
            if (got <= 0 || enough) {
                ::close(fds[k]);
                fds[k] = -1;
            }
        }
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace

StreamRun run_stream(const std::vector<std::string>& args, std::optional<std::size_t> close_after) {
    int out_pipe[2];
    if (::pipe(out_pipe) != 0) throw std::runtime_error("pipe failed");
    return run(args, out_pipe[1], out_pipe[0], close_after);
}

StreamRun run_stream_into(const std::vector<std::string>& args, const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw std::runtime_error("cannot open " + path);
    return run(args, fd, -1, {});
}

}  // namespace tamboril::testing
