#include "tests/support/program.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tamboril::testing {

std::filesystem::path make_temp_dir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tamboril-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    return pattern;
}

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

std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string expected_data_line(double value) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.16e", value);  // d.dddddddddddddddde[+-]XX
    const std::string text(buf);
    const int exponent = std::atoi(text.c_str() + text.find('e') + 1);
    const std::string digits = text.substr(0, 1) + text.substr(2, 16);
    int places[32] = {};  // places[k] is the digit of 10^-(k+1)
    bool whole = false;
    for (int i = 0; i < 17; ++i) {
        const int power = exponent - i;
        const int digit = digits[static_cast<std::size_t>(i)] - '0';
        if (power >= 0) {
            whole = whole || digit != 0;
        } else if (-power - 1 < 32) {
            places[-power - 1] = digit;
        }
    }
    if (whole) return std::string(11, '*');
    if (places[10] >= 5) {
        int k = 9;
        while (k >= 0 && places[k] == 9) places[k--] = 0;
        if (k < 0) return std::string(11, '*');
        ++places[k];
    }
    std::string line = ".";
    for (int k = 0; k < 10; ++k) line += static_cast<char>('0' + places[k]);
    return line;
}

std::string crlf(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string dialogue_head(std::string_view name5) {
    return crlf({
        "Ingresar(mayusculas) el nombre, URN** ,del Generador deseado para obtener el   ",
        "archivo ARCHURN** de Numeros Pseudoaleatorios",
        name5,
        "*****************************************************************************",
        "*  LAS SIGUIENTES SALIDAS HAN SIDO PRODUCIDAS POR EL SISTEMA: \" TAMBORIL \"  *",
        "*  EL PAQUETE ESTA CONSTITUIDO POR RUTINAS PARA LA GENERACION DE NUMEROS    *",
        "*  PSEUDOALEATORIOS EN MICROCOMPUTADORES                                    *  ",
        "*****************************************************************************",
        "",
        "Ingrese la cantidad de Numeros Pseudoaleatorios que desea generar en cada      ",
        "sucesion (<=10 mil)",
    }) + "Entre la cantidad de sucesiones (<= 1 mil)";
}

std::string normal_tail(std::string_view name5) {
    const std::string file = "EL ARCHIVO:ARCH" + std::string(name5) +
                             "   CONTIENE EL TOTAL DE NUMEROS PSEUDOALEATORIOS GENERADOS";
    return "\r\n" + crlf({"", "", "LA EJECUCION HA FINALIZADO", "", file, "",
                          "Pause - Please enter a blank line (to continue) or a DOS command.",
                          ""});
}

std::string not_implemented_tail(std::string_view name5) {
    const std::string message =
        "EL GENERADOR:" + std::string(name5) + "    NO ESTA IMPLEMENTADO EN TAMBORIL2";
    return "\r\n" + crlf({message,
                          "Pause - Please enter a blank line (to continue) or a DOS command.",
                          "", "Stop - Program terminated.", ""});
}

}  // namespace tamboril::testing
