// The run: dialogue, data file and sequence loop.
#pragma once

#include "records/console.hpp"

namespace tamboril::run {

// Exit statuses of a run.
inline constexpr int kExitNormal = 0;     // normal end, unknown name, not implemented
inline constexpr int kExitDataFile = 1;   // the data file could not be created or written
inline constexpr int kExitInput = 2;      // an answer was not usable, input ended, or
                                          // the console input could not be read
inline constexpr int kExitConsole = 3;    // the console output could not be written
inline constexpr int kExitStreams = 4;    // a closed standard stream could not be opened
                                          // on /dev/null

// Runs the whole dialogue on `console`; messages about failures go to
// standard error, one line each. A console output that fails does not stop
// the run: the data file is completed first. Returns the exit status.
int run_dialogue(records::Console& console);

// The program: opens every closed standard stream on `null_device` (status 4
// and one line on standard error when it cannot), then runs the dialogue on
// the standard streams. Returns the exit status.
int run_program(const char* null_device = "/dev/null");

// The data file name for an 8-character generator name: ARCH, the name, and
// no trailing blanks.
std::string data_file_name(std::string_view name);

}  // namespace tamboril::run
