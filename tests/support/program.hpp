// Runs the built program the way an operator would, for end-to-end tests:
// the answers piped, standard output and error read. Both go through the one
// process runner of streams.hpp.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "tests/support/common.hpp"
#include "tests/support/streams.hpp"

namespace tamboril::testing {

using ProgramRun = StreamRun;

// Runs the program in `dir` with `input` piped to standard input.
ProgramRun run_program(const std::filesystem::path& dir, std::string_view input);

// Runs `script` with /bin/sh in `dir`; the program's path is in $TAMBORIL.
ProgramRun run_shell(const std::filesystem::path& dir, std::string_view script,
                     std::string_view input);

}  // namespace tamboril::testing
