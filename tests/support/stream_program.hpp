// Runs the built tamboril-stream program for end-to-end tests, through the
// one process runner of streams.hpp.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/streams.hpp"

namespace tamboril::testing {

// Runs tamboril-stream with `args`, reading its standard output. With
// `close_after`, the pipe is closed once that many bytes have been read, as
// a reader that has had enough does.
StreamRun run_stream(const std::vector<std::string>& args, std::optional<std::size_t> close_after = {});

// Runs tamboril-stream with its standard output opened on `path` (such as
// /dev/null or /dev/full); `out` stays empty.
StreamRun run_stream_into(const std::vector<std::string>& args, const std::string& path);

}  // namespace tamboril::testing
