// The command line of tamboril-lattice.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "tamboril/lattice.hpp"

namespace tamboril::lattice_program {

enum class Mode { Help, Numbers, Name, Catalogue, Measure, Periods };
enum class Format { Text, Csv };

inline constexpr int kDefaultDimensions = 8;
inline constexpr std::uint64_t kDefaultBudget = std::uint64_t{1} << 28;

struct Options {
    Mode mode = Mode::Help;
    lattice::uint128 multiplier = 0;  // Numbers
    lattice::uint128 modulus = 0;
    std::string name;                 // Name, Measure
    int dimensions = kDefaultDimensions;
    Format format = Format::Text;
    std::uint64_t budget = kDefaultBudget;  // Measure
};

// The options, or the one-line message of a bad command line (exit 2).
std::variant<Options, std::string> parse_options(std::span<const std::string_view> args);

// The text of --help.
std::string_view help_text();

}  // namespace tamboril::lattice_program
