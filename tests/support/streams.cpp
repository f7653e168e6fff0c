#include "tests/support/streams.hpp"

#include <fcntl.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace tamboril::testing {

namespace {

struct Pipe {
    int read = -1;
    int write = -1;
};

Pipe make_pipe() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    return {fds[0], fds[1]};
}

void close_fd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

// In the child: the descriptor that becomes standard stream `target`, moved
// above the standard streams so that setting one up never clobbers another.
int child_source(const Stream& stream, int target, int pipe_end) {
    int fd = -1;
    switch (stream.kind) {
        case Stream::Kind::Pipe: fd = pipe_end; break;
        case Stream::Kind::Descriptor: fd = stream.fd; break;
        case Stream::Kind::Closed: return -1;
        case Stream::Kind::Path:
            fd = ::open(stream.path.c_str(), target == 0 ? O_RDONLY : O_WRONLY | O_CREAT, 0666);
            if (fd < 0) ::_exit(125);
            break;
    }
    const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, 10);
    if (moved < 0) ::_exit(125);
    return moved;
}

// In the child: from now on every close() waits for the word of whoever
// holds the listener, which is sent over `socket` (the listener and the
// socket are closed by the exec, without a close()). False on failure.
bool supervise_closes(int socket) {
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_close, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_USER_NOTIF),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) return false;
    const int listener =
        static_cast<int>(::syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, SECCOMP_FILTER_FLAG_NEW_LISTENER, &program));
    if (listener < 0) return false;
    char byte = 0;
    iovec part{&byte, 1};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
    msghdr message{};
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    cmsghdr* header = CMSG_FIRSTHDR(&message);
    header->cmsg_level = SOL_SOCKET;
    header->cmsg_type = SCM_RIGHTS;
    header->cmsg_len = CMSG_LEN(sizeof(int));
    std::memcpy(CMSG_DATA(header), &listener, sizeof(int));
    return ::sendmsg(socket, &message, 0) == 1;
}

// The listener that the child sent, or -1.
int receive_listener(int socket) {
    char byte = 0;
    iovec part{&byte, 1};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
    msghdr message{};
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    if (::recvmsg(socket, &message, MSG_CMSG_CLOEXEC) != 1) return -1;
    const cmsghdr* header = CMSG_FIRSTHDR(&message);
    if (header == nullptr || header->cmsg_type != SCM_RIGHTS) return -1;
    int listener = -1;
    std::memcpy(&listener, CMSG_DATA(header), sizeof(int));
    return listener;
}

// Answers the close() calls of the supervised processes until `stop` is
// set: EIO for a descriptor open on a file named `name`, else the call goes
// ahead.
void answer_closes(int listener, const std::string& name, const std::atomic<bool>& stop) {
    seccomp_notif_sizes sizes{};
    if (::syscall(SYS_seccomp, SECCOMP_GET_NOTIF_SIZES, 0, &sizes) != 0) return;
    std::vector<char> request_bytes(std::max<std::size_t>(sizes.seccomp_notif, sizeof(seccomp_notif)));
    std::vector<char> response_bytes(std::max<std::size_t>(sizes.seccomp_notif_resp, sizeof(seccomp_notif_resp)));
    auto* request = reinterpret_cast<seccomp_notif*>(request_bytes.data());
    auto* response = reinterpret_cast<seccomp_notif_resp*>(response_bytes.data());
    while (!stop) {
        pollfd ready{listener, POLLIN, 0};
        if (::poll(&ready, 1, 20) <= 0 || (ready.revents & POLLIN) == 0) continue;
        std::fill(request_bytes.begin(), request_bytes.end(), 0);
        if (::ioctl(listener, SECCOMP_IOCTL_NOTIF_RECV, request) != 0) continue;
        std::error_code error;
        const std::filesystem::path target = std::filesystem::read_symlink(
            "/proc/" + std::to_string(request->pid) + "/fd/" + std::to_string(request->data.args[0]), error);
        std::fill(response_bytes.begin(), response_bytes.end(), 0);
        response->id = request->id;
        if (!error && target.filename() == name) {
            response->error = -EIO;
        } else {
            response->flags = SECCOMP_USER_NOTIF_FLAG_CONTINUE;
        }
        (void)::ioctl(listener, SECCOMP_IOCTL_NOTIF_SEND, response);
    }
}

const char* program_path(Program program) {
    return program == Program::Stream ? TAMBORIL_STREAM_EXE : TAMBORIL_EXE;
}

}  // namespace

bool can_measure() { return ::access("/usr/bin/time", X_OK) == 0; }

std::string measured_program() {
    return can_measure() ? "exec /usr/bin/time -f 'usage %U %S %M' -o usage \"$TAMBORIL\"" : "exec \"$TAMBORIL\"";
}

std::optional<Usage> read_usage(const std::filesystem::path& dir) {
    std::ifstream file(dir / "usage");
    // After a line on the exit status, when it is not 0, the figures.
    for (std::string line; std::getline(file, line);) {
        std::istringstream words(line);
        std::string word;
        double user = 0, system = 0;
        long peak = 0;
        if (words >> word >> user >> system >> peak && word == "usage") return Usage{user + system, peak};
    }
    return std::nullopt;
}

int most_threads(pid_t pid) {
    int most = 0;
    for (;;) {
        std::ifstream status("/proc/" + std::to_string(pid) + "/status");
        bool ended = true;
        for (std::string line; std::getline(status, line);) {
            if (line.rfind("State:", 0) == 0) {
                const char state = line[std::min(line.find_first_not_of(" \t", 6), line.size() - 1)];
                ended = state == 'Z' || state == 'X';
            }
            if (line.rfind("Threads:", 0) == 0) most = std::max(most, std::stoi(line.substr(8)));
        }
        if (ended) return most;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

StreamRun run_with_streams(const std::filesystem::path& dir, const StreamSetup& setup) {
    Pipe in, out, err;
    if (setup.in.kind == Stream::Kind::Pipe) in = make_pipe();
    if (setup.out.kind == Stream::Kind::Pipe) out = make_pipe();
    if (setup.err.kind == Stream::Kind::Pipe) err = make_pipe();
    if (setup.nonblocking_input && in.read >= 0) ::fcntl(in.read, F_SETFL, O_NONBLOCK);
    if (setup.nonblocking_output && out.write >= 0) ::fcntl(out.write, F_SETFL, O_NONBLOCK);

    // A program that ends before it has read all its input must not end the
    // test with SIGPIPE; the child sets its own disposition.
    struct IgnoreSigpipe {
        void (*old)(int) = ::signal(SIGPIPE, SIG_IGN);
        ~IgnoreSigpipe() { ::signal(SIGPIPE, old); }
    } ignore_sigpipe;

    // The arguments are made before the fork: the child only calls what is
    // safe after it.
    std::vector<std::string> words;
    if (setup.shell.empty()) {
        words.push_back(setup.program == Program::Stream ? "tamboril-stream" : "tamboril");
        words.insert(words.end(), setup.args.begin(), setup.args.end());
    } else {
        words = {"sh", "-c", setup.shell};
    }
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const char* path = setup.shell.empty() ? program_path(setup.program) : "/bin/sh";

    int sockets[2] = {-1, -1};
    if (!setup.failing_close_of.empty() && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) != 0) {
        throw std::runtime_error("socketpair failed");
    }

    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        const int sources[3] = {child_source(setup.in, 0, in.read),
                                child_source(setup.out, 1, out.write),
                                child_source(setup.err, 2, err.write)};
        for (int target = 0; target < 3; ++target) {
            if (sources[target] < 0) {
                ::close(target);
            } else if (::dup2(sources[target], target) < 0) {
                ::_exit(125);
            }
        }
        ::signal(SIGPIPE, setup.ignore_sigpipe ? SIG_IGN : SIG_DFL);
        if (setup.file_size_limit != 0) {
            const rlimit limit{setup.file_size_limit, setup.file_size_limit};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(124);
            ::signal(SIGXFSZ, SIG_IGN);
        }
        if (::chdir(dir.c_str()) != 0) ::_exit(126);
        if (!setup.shell.empty()) ::setenv("TAMBORIL", TAMBORIL_EXE, 1);
        if (sockets[1] >= 0 && !supervise_closes(sockets[1])) ::_exit(123);
        ::execv(path, argv.data());
        ::_exit(127);
    }
    std::atomic<bool> stop_answering{false};
    std::thread answerer;
    if (sockets[0] >= 0) {
        close_fd(sockets[1]);
        const int listener = receive_listener(sockets[0]);
        close_fd(sockets[0]);
        if (listener >= 0) {
            answerer = std::thread([listener, &setup, &stop_answering] {
                answer_closes(listener, setup.failing_close_of, stop_answering);
                ::close(listener);
            });
        }
    }
    std::thread watcher;
    if (setup.watch) watcher = std::thread(setup.watch, pid);
    close_fd(in.read);
    close_fd(out.write);
    close_fd(err.write);

    StreamRun run;
    if (in.write >= 0) {
        if (setup.input_delay.count() > 0) std::this_thread::sleep_for(setup.input_delay);
        ::fcntl(in.write, F_SETFL, O_NONBLOCK);
        if (setup.input.empty() && setup.filler_bytes == 0) close_fd(in.write);
    }
    std::size_t sent = 0;
    const std::string filler(setup.filler_bytes > 0 ? std::size_t{1} << 16 : 0, setup.filler);
    const auto output_read_from = std::chrono::steady_clock::now() + setup.output_delay;
    while (out.read >= 0 || err.read >= 0 || in.write >= 0) {
        // Until the output's reader comes, its pipe fills and is not polled.
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(
            output_read_from - std::chrono::steady_clock::now());
        const bool late = wait.count() > 0;
        pollfd fds[3] = {
            {late ? -1 : out.read, POLLIN, 0}, {err.read, POLLIN, 0}, {in.write, POLLOUT, 0}};
        if (::poll(fds, 3, late ? static_cast<int>(wait.count()) : -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        char buf[65536];
        for (int k = 0; k < 2; ++k) {
            if (fds[k].revents == 0) continue;
            int& fd = k == 0 ? out.read : err.read;
            std::string& text = k == 0 ? run.out : run.err;
            std::size_t want = sizeof buf;
            if (k == 0 && setup.close_output_after_bytes) {
                want = std::min(want, *setup.close_output_after_bytes - text.size());
            }
            const ssize_t got = ::read(fd, buf, want);
            if (got <= 0) {
                close_fd(fd);
                continue;
            }
            text.append(buf, static_cast<std::size_t>(got));
            if (k == 0 && ((!setup.close_output_after.empty() &&
                            text.find(setup.close_output_after) != std::string::npos) ||
                           (setup.close_output_after_bytes && text.size() >= *setup.close_output_after_bytes))) {
                close_fd(fd);
            }
        }
        if (in.write >= 0 && fds[2].revents != 0) {
            const std::size_t total = setup.input.size() + setup.filler_bytes;
            ssize_t put;
            if (sent < setup.input.size()) {
                put = ::write(in.write, setup.input.data() + sent, setup.input.size() - sent);
            } else {
                put = ::write(in.write, filler.data(), std::min(filler.size(), total - sent));
            }
            if (put > 0) sent += static_cast<std::size_t>(put);
            if ((put < 0 && errno != EAGAIN) || sent == total) close_fd(in.write);
        }
    }
    if (watcher.joinable()) watcher.join();
    int status = 0;
    rusage usage{};
    while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    stop_answering = true;
    if (answerer.joinable()) answerer.join();
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    run.cpu_seconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                      static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    return run;
}

}  // namespace tamboril::testing
