// The engines' cost over their cores, and against the standard library's
// engine of the same recurrence: URN01 (16807 X mod 2^31 - 1) feeding
// std::uniform_int_distribution<int>(1, 6) beside std::minstd_rand0 feeding
// it; the engine's words beside the core's values. bench/engine-speed.sh
// turns the times into ratios.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>

#include "tamboril/engine.hpp"
#include "tamboril/cores/urn01.hpp"

namespace {

using tamboril::generators::Urn01Core;

template <class Source>
void Die(benchmark::State& state) {
    Source source;
    std::uniform_int_distribution<int> die(1, 6);
    for (auto _ : state) benchmark::DoNotOptimize(die(source));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Die<tamboril::Engine<Urn01Core>>)->Name("Die/Urn01Engine");
BENCHMARK(Die<std::minstd_rand0>)->Name("Die/minstd_rand0");

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
