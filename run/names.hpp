// The generator name table.
#pragma once

#include <array>
#include <string_view>

namespace tamboril::run {

inline constexpr int kGeneratorCount = 41;

// Entries of 8 characters: the 5-character name and 3 blanks.
extern const std::array<std::string_view, kGeneratorCount> kGeneratorNames;

// The generator number (1 to 41) of the first entry equal to `name` with
// blank padding of the shorter operand, or 0 when none is.
int lookup_generator(std::string_view name);

}  // namespace tamboril::run
