// What tamboril-lattice writes: the figures as a table or as CSV, the blocks
// of the catalogue, the measured periods.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lattice/program/options.hpp"
#include "tamboril/lattice.hpp"

namespace tamboril::lattice_program {

inline constexpr std::string_view kCsvHeader = "t,nu_squared,nu,s_t,mu_t,hyperplanes,shortest_vector,hyperplanes_vector";

// The figures of one multiplier and modulus.
std::string figures_table(const std::vector<lattice::Figures>& figures);
// CSV rows without a header; `lead` (such as "URN03,1073741824,65539,") begins each row.
std::string figures_csv(const std::vector<lattice::Figures>& figures, std::string_view lead);

// The block of one catalogue generator (text), or its CSV rows.
std::string generator_block(const lattice::GeneratorTheory& g, int dimensions);
std::string generator_csv(const lattice::GeneratorTheory& g, int dimensions);

// Every generator's period: one line each, or CSV rows with their header.
std::string periods_text(Format format);

// The result of --measure.
std::string measured_text(std::string_view name, const lattice::Cycle& cycle);

}  // namespace tamboril::lattice_program
