// Generator cores, one block of samples at a time, and a core feeding the
// data-file renderer.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "tamboril/cores/extended_sine.hpp"
#include "generators/protocol.hpp"
#include "tamboril/cores/urn01.hpp"
#include "tamboril/cores/urn10.hpp"
#include "tamboril/cores/urn02.hpp"
#include "tamboril/cores/urn03.hpp"
#include "tamboril/cores/urn05.hpp"
#include "tamboril/cores/urn06.hpp"
#include "tamboril/cores/urn08.hpp"
#include "tamboril/cores/urn09.hpp"
#include "tamboril/cores/urn11.hpp"
#include "tamboril/cores/urn12.hpp"
#include "tamboril/cores/urn13.hpp"
#include "tamboril/cores/urn14.hpp"
#include "tamboril/cores/urn20.hpp"
#include "tamboril/cores/urn21.hpp"
#include "tamboril/cores/urn22.hpp"
#include "tamboril/cores/urn28.hpp"
#include "tamboril/cores/urn30.hpp"
#include "tamboril/cores/urn31_urn32.hpp"
#include "tamboril/cores/urn33.hpp"
#include "tamboril/cores/urn34.hpp"
#include "tamboril/cores/urn35.hpp"
#include "tamboril/cores/urn36.hpp"
#include "tamboril/cores/urn37.hpp"
#include "tamboril/cores/urn38.hpp"
#include "tamboril/cores/urn39.hpp"
#include "records/datafile.hpp"
#include "records/fast_fixed.hpp"

namespace {

using namespace tamboril::generators;
using tamboril::records::kDataRecordBytes;

// The step of a core inside a call, or of a wrapper's own fill().
template <class Core>
void fill(Core& core, std::span<float> out) {
    if constexpr (requires { core.fill(out); }) {
        core.fill(out);
    } else {
        ProgramAccess::fill(core, out);
    }
}

// `core` is a generator core in its starting state; it runs on across
// iterations like the stream of a long run.
template <class Core>
void Fill(benchmark::State& state, Core core) {
    std::array<float, kBlockSamples> block{};
    for (auto _ : state) {
        fill(core, block);
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
        fill(core, block);
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
// starting state.
#define TAMBORIL_BENCH_CORE(name, ...)             \
    BENCHMARK_CAPTURE(Fill, name, __VA_ARGS__);    \
    BENCHMARK_CAPTURE(FillAndRender, name, __VA_ARGS__)

TAMBORIL_BENCH_CORE(URN01, Urn01Core::start());
TAMBORIL_BENCH_CORE(URN10, Urn10Core::start());

// URN30 and URN34 do work at the start of every call; here one long call.
struct Urn30OneCall {
    Urn30Core core = [] {
        Urn30Core c = Urn30Core::start();
        ProgramAccess::begin_call(c);
        return c;
    }();
    void fill(std::span<float> out) { ProgramAccess::fill(core, out); }
};
struct Urn34OneCall {
    Urn34Core core = [] {
        Urn34Core c = Urn34Core::start();
        ProgramAccess::begin_call(c);
        return c;
    }();
    void fill(std::span<float> out) { ProgramAccess::fill(core, out); }
};

TAMBORIL_BENCH_CORE(URN02, Urn02Core::start());
TAMBORIL_BENCH_CORE(URN03, Urn03Core::start());
TAMBORIL_BENCH_CORE(URN05, Urn05Core::start());
TAMBORIL_BENCH_CORE(URN06, Urn06Core::start());
TAMBORIL_BENCH_CORE(URN08, Urn08Core::start());
TAMBORIL_BENCH_CORE(URN09, Urn09Core::start());
TAMBORIL_BENCH_CORE(URN11, Urn11Core::start());
TAMBORIL_BENCH_CORE(URN12, Urn12Core::start());
TAMBORIL_BENCH_CORE(URN13, Urn13Core::start());
TAMBORIL_BENCH_CORE(URN14, Urn14Core::start());
TAMBORIL_BENCH_CORE(URN20, Urn20Core::start());
TAMBORIL_BENCH_CORE(URN21, Urn21Core::start());
TAMBORIL_BENCH_CORE(URN22, Urn22Core::start());
TAMBORIL_BENCH_CORE(URN28, Urn28Core::start());
TAMBORIL_BENCH_CORE(URN30, Urn30OneCall{});
TAMBORIL_BENCH_CORE(URN31, Urn31Core::start());
TAMBORIL_BENCH_CORE(URN32, Urn32Core::start());
TAMBORIL_BENCH_CORE(URN33, Urn33Core::start());
TAMBORIL_BENCH_CORE(URN34, Urn34OneCall{});
TAMBORIL_BENCH_CORE(URN35, Urn35Core::start());
TAMBORIL_BENCH_CORE(URN36, Urn36Core::start());
TAMBORIL_BENCH_CORE(URN37, Urn37Core::start());
TAMBORIL_BENCH_CORE(URN38, Urn38Core::start());

// URN39 over the counts of a full run, 1 to 10^7, again and again.
struct Urn39FullRun {
    Urn39Core core;
    void fill(std::span<float> out) {
        auto& k = ProgramAccess::call(core).k;
        if (k >= 10'000'000) k = 0;
        ProgramAccess::fill(core, out);
    }
};
TAMBORIL_BENCH_CORE(URN39, Urn39FullRun{});

// The long double sine of consecutive whole numbers from 1 (as URN39 takes
// them), fast and from the library; the count wraps after 10^7.
template <class Sine>
void WholeSine(benchmark::State& state, Sine sine) {
    double k = 0.0;
    for (auto _ : state) {
        k = k < 1e7 ? k + 1.0 : 1.0;
        benchmark::DoNotOptimize(sine(k));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(WholeSine, fast, [](double k) { return extended_sine(k); });
BENCHMARK_CAPTURE(WholeSine, library, [](double k) { return std::sin(static_cast<long double>(k)); });

}  // namespace

namespace {

// Latency chains: the steps of a recurrence where each waits on the rounding
// of the one before. URN39's chain without its sines (taken from a table of
// the sines of 1 to 4096, as if another core had computed them): the sum, the
// extended product rounded to double, the truncation and the fraction of
// each step. URN33's and URN34's Fill above are their chains alone already.
void Urn39ChainAlone(benchmark::State& state) {
    std::vector<long double> sines(4096);
    for (std::size_t i = 0; i < sines.size(); ++i) sines[i] = extended_sine(static_cast<double>(i + 1));
    double seed = 2.0 / (std::sqrt(5.0) + 1.0);
    double k = 0.0;
    for (auto _ : state) {
        for (const long double s : sines) {
            k += 1.0;
            const double t = seed + k;
            const double x = static_cast<double>(s * static_cast<long double>(t)) + seed;
            double f = x - std::trunc(x);
            if (f < 0.0) f += 1.0;
            seed = f;
        }
        benchmark::DoNotOptimize(seed);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(sines.size()));
}
BENCHMARK(Urn39ChainAlone);

}  // namespace
