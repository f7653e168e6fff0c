// Runs the built program the way an operator would, for end-to-end tests.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "tests/support/common.hpp"

namespace tamboril::testing {

struct ProgramRun {
    std::string out;
    std::string err;
    int status = -1;  // exit status, or -1 if the program did not exit normally
};

// Runs the program in `dir` with `input` piped to standard input.
ProgramRun run_program(const std::filesystem::path& dir, std::string_view input);

// Runs `script` with /bin/sh in `dir`; the program's path is in $TAMBORIL.
ProgramRun run_shell(const std::filesystem::path& dir, std::string_view script,
                     std::string_view input);

}  // namespace tamboril::testing
