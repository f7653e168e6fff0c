// The cores as the tests reach them: their state variables, read or set to
// states that no seed gives, and the steps of a call as the program runs
// them, through the program's own accessor.
#pragma once

#include <span>
#include <vector>

#include "tamboril/cores/common.hpp"

namespace tamboril::testing {

using generators::ProgramAccess;

template <class Core>
auto& state(Core& core) {
    return ProgramAccess::state(core);
}
template <class Core>
const auto& state(const Core& core) {
    return ProgramAccess::state(core);
}

// What a call in progress holds beside the state (URN05's mask, URN30's
// stream, URN34's tables, URN39's count).
template <class Core>
auto& call_state(Core& core) {
    return ProgramAccess::call(core);
}

// A core at the given state.
template <class Core>
Core at(const typename Core::State& s) {
    Core core;
    ProgramAccess::state(core) = s;
    return core;
}

// The next out.size() values of the call in progress (no preparation of a
// call: for URN05, URN30, URN34 and URN39 that is begin_call).
template <class Core>
void fill(Core& core, std::span<float> out) {
    ProgramAccess::fill(core, out);
}
template <class Core>
void begin_call(Core& core) {
    ProgramAccess::begin_call(core);
}
template <class Core>
void end_call(Core& core, std::int32_t n) {
    ProgramAccess::end_call(core, n);
}

// The next `count` values of the call in progress.
template <class Core>
std::vector<float> take(Core& core, std::size_t count) {
    std::vector<float> out(count);
    ProgramAccess::fill(core, out);
    return out;
}

}  // namespace tamboril::testing
