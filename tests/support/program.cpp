#include "tests/support/program.hpp"

namespace tamboril::testing {

ProgramRun run_program(const std::filesystem::path& dir, std::string_view input) {
    return run_shell(dir, "", input);
}

ProgramRun run_shell(const std::filesystem::path& dir, std::string_view script,
                     std::string_view input) {
    StreamSetup setup;
    setup.input = std::string(input);
    setup.shell = std::string(script);
    return run_with_streams(dir, setup);
}

}  // namespace tamboril::testing
