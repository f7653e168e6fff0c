// Runs the built program the way an operator would, for end-to-end tests.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

namespace tamboril::testing {

struct ProgramRun {
    std::string out;
    std::string err;
    int status = -1;  // exit status, or -1 if the program did not exit normally
};

// A fresh empty directory under the system's temporary directory.
std::filesystem::path make_temp_dir();

// Runs the program in `dir` with `input` piped to standard input.
ProgramRun run_program(const std::filesystem::path& dir, std::string_view input);

// Runs `script` with /bin/sh in `dir`; the program's path is in $TAMBORIL.
ProgramRun run_shell(const std::filesystem::path& dir, std::string_view script,
                     std::string_view input);

std::string read_file(const std::filesystem::path& path);

// The data-file line of a value in [0, 1] computed independently of the
// program's renderer: 17 significant digits from printf, then half up at the
// tenth decimal; 1.0 and above give asterisks.
std::string expected_data_line(double value);

// Each line followed by CR LF.
std::string crlf(std::initializer_list<std::string_view> lines);

// Expected console text, written from the dialogue's templates.
// Everything up to the answer for M, for a known name.
std::string dialogue_head(std::string_view name5);
// The normal ending: two empty lines, the closing message, the pause.
std::string normal_tail(std::string_view name5);
// The not-implemented ending for an 8-character name: message, pause, stop.
std::string not_implemented_tail(std::string_view name5);

}  // namespace tamboril::testing
