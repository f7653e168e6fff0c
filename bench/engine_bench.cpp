// The engine against the standard library's engine of the same recurrence:
// URN01 (16807 X mod 2^31 - 1) feeding std::uniform_int_distribution<int>(1, 6)
// beside std::minstd_rand0 feeding it. bench/engine-speed.sh turns the times
// into ratios; the engine's words beside its core's values are in
// engine_words_bench.cpp.
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

}  // namespace
