// The catalogue: the 41 generator names in table order, what the sequence loop
// does for each, and the operation of each generator that has one.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "generators/protocol.hpp"
#include "tamboril/cores/common.hpp"

namespace tamboril::generators {

enum class Action {
    Fill,                    // call the operation, then write its N values
    CallThenNotImplemented,  // call it once, then report it not implemented
    NotImplemented,          // report it not implemented at once
};

// How a generator's stream from its starting state is known to repeat.
enum class PeriodKnown {
    Unknown,
    Theory,    // exact, from the theory of its recurrence
    Measured,  // exact, by cycle detection over the states
    Bound,     // neither is possible: a bound
};

// The period of a generator's stream from its starting state: the number of
// values after which the values repeat (for URN30 and URN34, whose streams
// depend on the cut into calls, a number of calls).
struct Period {
    std::string_view length;  // in decimal (or the bound); empty when unknown
    PeriodKnown known = PeriodKnown::Unknown;
    std::string_view how;     // one line: the argument or the measurement
    std::string_view form{};  // a short form such as 2^31 - 2; empty if none
    std::string_view unit{};  // empty for values; "calls" where it counts calls
};

struct CatalogueEntry {
    std::string_view name;  // 8 characters: the 5-character name and 3 blanks
    Action action;
    // The generator's operation; nullptr for the names not implemented.
    std::unique_ptr<Operation> (*make)(std::string_view name);
    // B: the leading bits of floor(s 2^32) that are uniform over the values
    // the generator can give (its core's `bits`); 0 for the names that give
    // no values.
    int bits = 0;
    // The variable that a seed sets and its valid values (its core's
    // `seed_range`); none for the names that give no values.
    SeedRange seed{"", 0, 0, 0};
    std::string_view description;  // one line
    Period period{};

    std::string_view short_name() const { return name.substr(0, 5); }
    // A fresh operation at the start of a run; nullptr where there is none.
    std::unique_ptr<Operation> operation() const { return make != nullptr ? make(name) : nullptr; }
};

inline constexpr int kGeneratorCount = 41;

// Row k - 1 is generator number k.
extern const std::array<CatalogueEntry, kGeneratorCount> kCatalogue;

// The generator number (1 to 41) of the first entry equal to `name` with
// blank padding of the shorter operand, or 0 when none is.
int lookup_generator(std::string_view name);

// The entry of generator number 1 to 41.
const CatalogueEntry& catalogue_entry(int number);

}  // namespace tamboril::generators
