// Runs the built tamboril-stream program for end-to-end tests.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tamboril::testing {

struct StreamRun {
    std::string out;  // standard output, as far as it was read
    std::string err;
    int status = -1;  // exit status, or -1 if the program did not exit normally
};

// Runs tamboril-stream with `args`, reading its standard output. With
// `close_after`, the pipe is closed once that many bytes have been read, as
// a reader that has had enough does.
StreamRun run_stream(const std::vector<std::string>& args, std::optional<std::size_t> close_after = {});

// Runs tamboril-stream with its standard output opened on `path` (such as
// /dev/null or /dev/full); `out` stays empty.
StreamRun run_stream_into(const std::vector<std::string>& args, const std::string& path);

}  // namespace tamboril::testing
