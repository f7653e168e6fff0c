#include "tests/support/stream_program.hpp"

#include <filesystem>

namespace tamboril::testing {

namespace {

StreamSetup stream_setup(const std::vector<std::string>& args) {
    StreamSetup setup;
    setup.program = Program::Stream;
    setup.args = args;
    return setup;
}

}  // namespace

StreamRun run_stream(const std::vector<std::string>& args, std::optional<std::size_t> close_after) {
    StreamSetup setup = stream_setup(args);
    setup.close_output_after_bytes = close_after;
    return run_with_streams(std::filesystem::current_path(), setup);
}

StreamRun run_stream_into(const std::vector<std::string>& args, const std::string& path) {
    StreamSetup setup = stream_setup(args);
    setup.out = Stream::file(path);
    return run_with_streams(std::filesystem::current_path(), setup);
}

}  // namespace tamboril::testing
