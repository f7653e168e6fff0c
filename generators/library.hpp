// The generators that produce values, by name, for the programs built here.
#pragma once

#include <memory>
#include <string_view>

#include "generators/protocol.hpp"

namespace tamboril::generators {

// The operation of a generator that produces values, at the start of a run.
// Any other name throws std::invalid_argument as make_generator() does.
std::unique_ptr<Operation> make_operation(std::string_view name);

}  // namespace tamboril::generators
