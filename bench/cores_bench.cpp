// Generator cores, one block of samples at a time, and a core feeding the
// data-file renderer.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "generators/protocol.hpp"
#include "generators/urn01.hpp"
#include "generators/urn10.hpp"
#include "records/datafile.hpp"
#include "records/fast_fixed.hpp"

namespace {

using namespace tamboril::generators;
using tamboril::records::kDataRecordBytes;

// `core` is a generator core in its starting state with a fill(span<float>)
// step; it runs on across iterations like the stream of a long run.
template <class Core>
void Fill(benchmark::State& state, Core core) {
    std::array<float, kBlockSamples> block{};
    for (auto _ : state) {
        core.fill(block);
        benchmark::DoNotOptimize(block.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(block.size()));
}

// The same core with every block rendered into data-file records in memory.
template <class Core>
void FillAndRender(benchmark::State& state, Core core) {
    std::array<float, kBlockSamples> block{};
    std::vector<char> out(block.size() * kDataRecordBytes);
    for (auto _ : state) {
        core.fill(block);
        char* p = out.data();
        for (const float v : block) {
            tamboril::records::render_sample_line(v, p);
            p[11] = '\r';
            p[12] = '\n';
            p += kDataRecordBytes;
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(block.size()));
}

// One line per core: its name and an expression giving the core in its
// starting state (a core that needs more set-up can be built by a lambda
// called on the spot: [] { Core c; c.start(); return c; }()).
#define TAMBORIL_BENCH_CORE(name, ...)             \
    BENCHMARK_CAPTURE(Fill, name, __VA_ARGS__);    \
    BENCHMARK_CAPTURE(FillAndRender, name, __VA_ARGS__)

TAMBORIL_BENCH_CORE(URN01, Urn01Core{524287});
TAMBORIL_BENCH_CORE(URN10, Urn10Core{1});

}  // namespace
