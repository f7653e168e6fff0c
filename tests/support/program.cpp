#include "tests/support/program.hpp"

#include "tests/support/streams.hpp"

namespace tamboril::testing {

namespace {

ProgramRun piped_run(const std::filesystem::path& dir, std::string shell, std::string_view input) {
    StreamSetup setup;
    setup.input = std::string(input);
    setup.shell = std::move(shell);
    StreamRun run = run_with_streams(dir, setup);
    return {std::move(run.out), std::move(run.err), run.status};
}

}  // namespace

ProgramRun run_program(const std::filesystem::path& dir, std::string_view input) {
    return piped_run(dir, "", input);
}

ProgramRun run_shell(const std::filesystem::path& dir, std::string_view script,
                     std::string_view input) {
    return piped_run(dir, std::string(script), input);
}

}  // namespace tamboril::testing
