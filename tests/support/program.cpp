#include "tests/support/program.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

namespace tamboril::testing {

namespace {

ProgramRun run_child(const std::filesystem::path& dir, const char* script, std::string_view input);

}  // namespace

ProgramRun run_program(const std::filesystem::path& dir, std::string_view input) {
    return run_child(dir, nullptr, input);
}

ProgramRun run_shell(const std::filesystem::path& dir, std::string_view script,
                     std::string_view input) {
    const std::string text(script);
    return run_child(dir, text.c_str(), input);
}

namespace {

ProgramRun run_child(const std::filesystem::path& dir, const char* script, std::string_view input) {
    int in_pipe[2], out_pipe[2], err_pipe[2];
    if (::pipe(in_pipe) != 0 || ::pipe(out_pipe) != 0 || ::pipe(err_pipe) != 0) {
        throw std::runtime_error("pipe failed");
    }
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        ::dup2(in_pipe[0], 0);
        ::dup2(out_pipe[1], 1);
        ::dup2(err_pipe[1], 2);
        for (int fd : {in_pipe[0], in_pipe[1], out_pipe[0], out_pipe[1], err_pipe[0], err_pipe[1]}) {
            ::close(fd);
        }
        if (::chdir(dir.c_str()) != 0) ::_exit(126);
        if (script != nullptr) {
            ::setenv("TAMBORIL", TAMBORIL_EXE, 1);
            ::execl("/bin/sh", "sh", "-c", script, static_cast<char*>(nullptr));
        } else {
            ::execl(TAMBORIL_EXE, "tamboril", static_cast<char*>(nullptr));
        }
        ::_exit(127);
    }
    ::close(in_pipe[0]);
    ::close(out_pipe[1]);
    ::close(err_pipe[1]);
    ::fcntl(in_pipe[1], F_SETFL, O_NONBLOCK);
    ProgramRun run;
    std::size_t sent = 0;
    int in_fd = in_pipe[1];
    if (input.empty()) {
        ::close(in_fd);
        in_fd = -1;
    }
    bool out_open = true, err_open = true;
    while (out_open || err_open) {
        pollfd fds[3] = {{out_open ? out_pipe[0] : -1, POLLIN, 0},
                         {err_open ? err_pipe[0] : -1, POLLIN, 0},
                         {in_fd, POLLOUT, 0}};
        if (::poll(fds, 3, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        char buf[65536];
        for (int k = 0; k < 2; ++k) {
            if (fds[k].revents == 0) continue;
            const ssize_t got = ::read(fds[k].fd, buf, sizeof buf);
            if (got <= 0) {
                ::close(fds[k].fd);
                (k == 0 ? out_open : err_open) = false;
            } else {
                (k == 0 ? run.out : run.err).append(buf, static_cast<std::size_t>(got));
            }
        }
        if (in_fd >= 0 && fds[2].revents != 0) {
            const ssize_t put = ::write(in_fd, input.data() + sent, input.size() - sent);
            if (put > 0) sent += static_cast<std::size_t>(put);
            if (put < 0 && errno != EAGAIN) sent = input.size();
            if (sent == input.size()) {
                ::close(in_fd);
                in_fd = -1;
            }
        }
    }
    if (in_fd >= 0) ::close(in_fd);
    int status = 0;
    ::waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace

}  // namespace tamboril::testing
