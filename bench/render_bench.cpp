// Data-file line renderer: the integer path against the general field writer.
#include <benchmark/benchmark.h>

#include <bit>
#include <cstdint>
#include <span>
#include <vector>

#include "records/datafile.hpp"
#include "records/fast_fixed.hpp"

namespace {

using tamboril::records::kDataRecordBytes;

// Widened-single inputs as the data file meets them: uniform values in [0, 1),
// with 1.0 (the overflow field), values below 0.1 and exact ties at the tenth
// decimal (odd multiples of 2^-11) mixed in.
std::vector<float> line_inputs() {
    std::vector<float> values;
    std::uint64_t state = 88172645463325252u;
    for (int i = 0; i < 65536; ++i) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        const auto u = static_cast<float>(state >> 40) * 0x1p-24f;  // [0, 1)
        switch (i % 64) {
            case 0: values.push_back(1.0f); break;
            case 1: values.push_back(u * 0.1f); break;
            case 2: values.push_back(u * 0.001f); break;
            case 3: values.push_back(static_cast<float>(2 * (i % 1024) + 1) * 0x1p-11f); break;
            default: values.push_back(u); break;
        }
    }
    return values;
}

template <class Render>
void run_lines(benchmark::State& state, Render render) {
    const std::vector<float> values = line_inputs();
    std::vector<char> out(values.size() * kDataRecordBytes);
    for (auto _ : state) {
        char* p = out.data();
        for (const float v : values) {
            render(v, p);
            p[11] = '\r';
            p[12] = '\n';
            p += kDataRecordBytes;
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(out.size()));
}

void DataLine(benchmark::State& state) {
    run_lines(state, [](float v, char* p) { tamboril::records::render_sample_line(v, p); });
}

void DataLineGeneral(benchmark::State& state) {
    run_lines(state, [](float v, char* p) {
        tamboril::records::render_data_line(static_cast<double>(v), p);
    });
}

// Whole records of uniform values in [0, 1), as a generator's samples are:
// one line at a time, and by the vector path where the processor has it.
template <class Render>
void run_records(benchmark::State& state, Render render) {
    std::vector<float> values;
    std::uint64_t x = 88172645463325252u;
    for (int i = 0; i < 8192; ++i) {  // one chunk of the data-file writer
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        values.push_back(static_cast<float>(x >> 40) * 0x1p-24f);
    }
    std::vector<char> out(values.size() * kDataRecordBytes);
    for (auto _ : state) {
        benchmark::DoNotOptimize(render(std::span<const float>(values), out.data()));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}

void RecordsPlain(benchmark::State& state) { run_records(state, tamboril::records::render_sample_records_plain); }

void Records(benchmark::State& state) {
    if (!tamboril::records::fast_fixed::vector_records_available()) state.SetLabel("no vector path: plain");
    run_records(state, tamboril::records::render_sample_records);
}

BENCHMARK(DataLine);
BENCHMARK(DataLineGeneral);
BENCHMARK(RecordsPlain);
BENCHMARK(Records);

}  // namespace
