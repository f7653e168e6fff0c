// The run: dialogue, data file and sequence loop.
#pragma once

#include "records/console.hpp"

namespace tamboril::run {

// Exit statuses of a run.
inline constexpr int kExitNormal = 0;     // normal end, unknown name, not implemented
inline constexpr int kExitDataFile = 1;   // the data file could not be created or written
inline constexpr int kExitInput = 2;      // an answer was not usable, or input ended

// Runs the whole dialogue on `console`; messages about failures go to
// standard error. Returns the exit status.
int run_dialogue(records::Console& console);

// The data file name for an 8-character generator name: ARCH, the name, and
// no trailing blanks.
std::string data_file_name(std::string_view name);

}  // namespace tamboril::run
