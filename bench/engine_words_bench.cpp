// The engine's words beside its core's values: URN01's engine against the
// core it wraps, loop for loop. Built with its loops on cache lines, so
// that where the linker puts each loop does not decide the ratio (the
// distributions' benchmarks, whose inner loops are entered once a call, are
// built without: the padding before a loop would be run every call).
// bench/engine-speed.sh turns the times into ratios.
#include <benchmark/benchmark.h>

#include "tamboril/engine.hpp"
#include "tamboril/cores/urn01.hpp"

namespace {

using tamboril::generators::Urn01Core;

void EngineWords(benchmark::State& state) {
    tamboril::Engine<Urn01Core> engine;
    for (auto _ : state) benchmark::DoNotOptimize(engine());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(EngineWords)->Name("Words/Urn01Engine");

void CoreValues(benchmark::State& state) {
    Urn01Core core;
    for (auto _ : state) benchmark::DoNotOptimize(core());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(CoreValues)->Name("Words/Urn01Core");

}  // namespace
