#include <unistd.h>

#include <string_view>
#include <vector>

#include "run/command_line.hpp"
#include "run/driver.hpp"

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (const auto status = tamboril::run::answer_arguments(args, STDOUT_FILENO, STDERR_FILENO)) return *status;
    return tamboril::run::run_program();
}
