#include "tests/support/terminal.hpp"

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace tamboril::testing {

TerminalRun::TerminalRun(const std::filesystem::path& dir) {
    termios mode{};
    mode.c_iflag = ICRNL;
    mode.c_oflag = 0;  // what the program writes reaches the screen unchanged
    mode.c_cflag = CS8 | CREAD;
    mode.c_lflag = ICANON | ECHO | ECHOE | ISIG;
    mode.c_cc[VINTR] = 3;
    mode.c_cc[VEOF] = 4;
    mode.c_cc[VERASE] = 127;
    mode.c_cc[VMIN] = 1;
    cfsetispeed(&mode, B38400);
    cfsetospeed(&mode, B38400);
    winsize size{50, 200, 0, 0};
    pid_ = ::forkpty(&fd_, nullptr, &mode, &size);
    if (pid_ < 0) throw std::runtime_error("forkpty failed");
    if (pid_ == 0) {
        if (::chdir(dir.c_str()) != 0) ::_exit(126);
        ::execl(TAMBORIL_EXE, "tamboril", static_cast<char*>(nullptr));
        ::_exit(127);
    }
}

TerminalRun::~TerminalRun() {
    if (pid_ > 0 && !ended_) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    if (fd_ >= 0) ::close(fd_);
}

bool TerminalRun::read_some(int timeout_ms) {
    pollfd p{fd_, POLLIN, 0};
    const int ready = ::poll(&p, 1, timeout_ms);
    if (ready <= 0) return ready == 0 || errno == EINTR;
    char buf[4096];
    const ssize_t got = ::read(fd_, buf, sizeof buf);
    if (got <= 0) return false;  // EIO once the program has closed the terminal
    raw_.append(buf, static_cast<std::size_t>(got));
    return true;
}

bool TerminalRun::wait_for(std::string_view text, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const std::size_t at = raw_.find(text, seen_);
        if (at != std::string::npos) {
            seen_ = at + text.size();
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        if (!read_some(static_cast<int>(left.count()))) return false;
    }
}

void TerminalRun::type(std::string_view keys) {
    while (!keys.empty()) {
        const ssize_t put = ::write(fd_, keys.data(), keys.size());
        if (put < 0) {
            if (errno == EINTR) continue;
            return;
        }
        keys.remove_prefix(static_cast<std::size_t>(put));
    }
}

int TerminalRun::finish(std::chrono::milliseconds timeout) {
    // The master side reads EIO once the program has exited and closed the terminal.
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0 || !read_some(0)) break;
    }
    int status = 0;
    while (::waitpid(pid_, &status, WNOHANG) != pid_) {
        if (std::chrono::steady_clock::now() >= deadline) return -1;  // the destructor kills it
        ::usleep(10000);
    }
    ended_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> TerminalRun::screen() const {
    std::vector<std::string> lines(1);
    std::size_t column = 0;
    for (char c : raw_) {
        if (c == '\r') {
            column = 0;
        } else if (c == '\n') {
            lines.emplace_back();
            column = 0;
        } else {
            std::string& line = lines.back();
            if (line.size() <= column) line.resize(column + 1, ' ');
            line[column++] = c;
        }
    }
    return lines;
}

}  // namespace tamboril::testing
