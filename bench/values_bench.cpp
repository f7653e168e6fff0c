// URN01's core filling 10^7 values in calls of 10 000, the baseline of
// bench/python-speed.py for tamboril.Generator("URN01").values(10**7): once
// into memory filled before (the core's own speed), once into memory taken
// fresh for each fill, as a new numpy array is.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

#include "tamboril/cores/urn01.hpp"

namespace {

using tamboril::generators::Urn01Core;

constexpr std::size_t kValues = 10'000'000;
constexpr std::size_t kPerCall = 10'000;

void fill(Urn01Core& core, std::span<float> out) {
    for (std::size_t i = 0; i < out.size(); i += kPerCall) core.sequence(out.subspan(i, kPerCall));
}

void ValuesReused(benchmark::State& state) {
    Urn01Core core;
    std::vector<float> out(kValues);
    for (auto _ : state) {
        fill(core, out);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kValues));
}
BENCHMARK(ValuesReused)->Name("Values/Urn01CoreReused")->Unit(benchmark::kMillisecond);

void ValuesFresh(benchmark::State& state) {
    Urn01Core core;
    for (auto _ : state) {
        std::unique_ptr<float[]> out(new float[kValues]);
        fill(core, {out.get(), kValues});
        benchmark::DoNotOptimize(out.get());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kValues));
}
BENCHMARK(ValuesFresh)->Name("Values/Urn01CoreFresh")->Unit(benchmark::kMillisecond);

}  // namespace
