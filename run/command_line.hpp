// The command line of tamboril: the dialogue takes no arguments; --help and
// --version print and stop.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace tamboril::run {

// The usage text, several lines, each ended by a line feed.
std::string_view usage();

// With no arguments, none: the dialogue runs. --help or --version write to
// `out` and give 0 (3 when the text cannot be written); anything else writes
// one line to `err` and gives 2.
std::optional<int> answer_arguments(std::span<const std::string_view> args, int out, int err);

}  // namespace tamboril::run
