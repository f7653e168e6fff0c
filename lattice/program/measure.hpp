// Cycle detection over the program's own cores: the measured periods.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "tamboril/lattice.hpp"

namespace tamboril::lattice_program {

// One step of the measurement: a value for the generators whose stream does
// not depend on the cut, a call of this many values for URN30 and URN34.
inline constexpr std::size_t kMeasuredCall = 10000;

// Brent's method over the core of NAME from its starting state, at most
// about `budget` steps; nullopt for a name that produces no values.
std::optional<lattice::Cycle> measure_period(std::string_view name, std::uint64_t budget);

// Whether a step of NAME is a call (URN30, URN34) rather than a value.
bool measured_in_calls(std::string_view name);

}  // namespace tamboril::lattice_program
