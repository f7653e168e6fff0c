// The dispatch table: what the sequence loop does for each generator number.
#pragma once

#include <array>
#include <memory>

#include "generators/protocol.hpp"
#include "run/names.hpp"

namespace tamboril::run {

enum class Action {
    Fill,                    // call the operation, then write its N values
    CallThenNotImplemented,  // call it once, then report it not implemented
    NotImplemented,          // report it not implemented at once
};

struct DispatchRow {
    Action action;
    std::unique_ptr<generators::Generator> (*make)();  // nullptr: no operation
};

extern const std::array<DispatchRow, kGeneratorCount> kDispatchTable;

// The action for a generator number; a row whose operation is not built yet
// behaves as not implemented. `generator` receives the operation, if any.
Action dispatch(int number, std::unique_ptr<generators::Generator>& generator);

}  // namespace tamboril::run
