// What tamboril-stream does with its options.
#pragma once

#include <cstdint>
#include <optional>

#include "stream/options.hpp"

namespace tamboril::stream {

// Exit statuses.
inline constexpr int kExitDone = 0;        // done, or the reader closed the pipe
inline constexpr int kExitWriteFailed = 1;  // standard output could not be written
inline constexpr int kExitUsage = 2;        // a bad name, option or number

// The N of the next call when `left` samples remain to be written (none:
// endless) and calls have N = sequence: the whole sequence, or the part of it
// that is still wanted. The first values of a call do not depend on its N, so
// a shortened last call gives the first values of the full one.
std::int32_t next_call_size(std::optional<std::uint64_t> left, std::int32_t sequence);

// Carries out the options, writing to `out` and reporting on `err` (one line).
// Returns the exit status.
int run(const Options& options, int out, int err);

}  // namespace tamboril::stream
