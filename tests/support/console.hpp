// A console whose output is kept in memory and whose input is a block of
// text, for tests of what is written and read without a process.
#pragma once

#include <memory>
#include <string_view>

#include "records/console.hpp"
#include "records/input.hpp"

namespace tamboril::testing {

// `input` must outlive the console. With `one_channel`, reading an answer
// closes the open output line, as at a terminal.
inline records::Console memory_console(std::string_view input = "", bool one_channel = false) {
    return records::Console(std::make_unique<records::TextLineSource>(input), -1, one_channel);
}

}  // namespace tamboril::testing
