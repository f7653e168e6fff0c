// The catalogue: the 41 generator names in table order, what the sequence loop
// does for each, and the operation of each generator that has one.
#pragma once

#include <array>
#include <memory>
#include <string_view>

#include "generators/protocol.hpp"

namespace tamboril::generators {

enum class Action {
    Fill,                    // call the operation, then write its N values
    CallThenNotImplemented,  // call it once, then report it not implemented
    NotImplemented,          // report it not implemented at once
};

struct CatalogueEntry {
    std::string_view name;  // 8 characters: the 5-character name and 3 blanks
    Action action;
    // The generator's operation; nullptr for the names not implemented.
    std::unique_ptr<Operation> (*make)(std::string_view name);
    std::string_view description;  // one line

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
