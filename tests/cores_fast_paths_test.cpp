// The cores whose steps are integer formulations of floating-point
// arithmetic (or of a wider decomposition), against the plain formulations of
// tests/reference/: over long streams cut into calls as the program's full
// run and tamboril-stream cut them, and one step from every state where the
// state space is small enough to visit whole (a sweep through it elsewhere).
#include <gtest/gtest.h>

#include <bit>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tamboril/cores/urn12.hpp"
#include "tamboril/cores/urn20.hpp"
#include "tamboril/cores/urn28.hpp"
#include "tamboril/cores/urn30.hpp"
#include "tamboril/cores/urn31_urn32.hpp"
#include "tamboril/cores/urn33.hpp"
#include "tamboril/generators.hpp"
#include "tests/reference/protocol.hpp"
#include "tests/reference/urn12.hpp"
#include "tests/reference/urn20.hpp"
#include "tests/reference/urn28.hpp"
#include "tests/reference/urn30.hpp"
#include "tests/reference/urn31_urn32.hpp"
#include "tests/reference/urn33.hpp"
#include "tests/reference/urn34.hpp"
#include "tests/support/cores.hpp"

namespace tamboril {
namespace {

std::string describe(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.10f (bits %08X)", static_cast<double>(value),
                  static_cast<unsigned>(std::bit_cast<std::uint32_t>(value)));
    return text;
}

// ---------------------------------------------------------------------------
// Long streams: 10^7 values and more, in calls of the full run's N = 10000
// (tamboril-stream's calls as well) and of an odd length.

struct LongRow {
    const char* name;
    void (*reference)(std::size_t n, std::size_t values, std::vector<float>& out);
};

void PrintTo(const LongRow& row, std::ostream* os) { *os << row.name; }

// The reference's values, `values` of them in calls of n.
template <class Formulation>
void reference_values(std::size_t n, std::size_t values, std::vector<float>& out) {
    reference::Run<Formulation> run;
    out.resize(values);
    for (std::size_t at = 0; at < values; at += n) run.sequence(std::span<float>(out.data() + at, n));
}

const LongRow kLongRows[] = {
    {"URN12", reference_values<reference::Urn12>}, {"URN20", reference_values<reference::Urn20>},
    {"URN28", reference_values<reference::Urn28>}, {"URN30", reference_values<reference::Urn30>},
    {"URN31", reference_values<reference::Urn31>}, {"URN32", reference_values<reference::Urn32>},
    {"URN33", reference_values<reference::Urn33>}, {"URN34", reference_values<reference::Urn34>},
};

class FastCoresOverLongStreams : public ::testing::TestWithParam<LongRow> {};

TEST_P(FastCoresOverLongStreams, AgreeWithTheReferenceBitForBit) {
    const LongRow& row = GetParam();
    for (const std::size_t n : {std::size_t{10000}, std::size_t{4099}}) {
        const std::size_t values = (10000000 + n - 1) / n * n;
        std::vector<float> theirs;
        row.reference(n, values, theirs);
        auto program = make_generator(row.name);
        std::vector<float> ours(n);
        for (std::size_t at = 0; at < values; at += n) {
            program->sequence(ours);
            if (std::memcmp(ours.data(), theirs.data() + at, n * sizeof(float)) == 0) continue;
            for (std::size_t i = 0; i < n; ++i) {
                if (std::bit_cast<std::uint32_t>(ours[i]) == std::bit_cast<std::uint32_t>(theirs[at + i])) continue;
                FAIL() << row.name << " with N = " << n << ": value " << at + i + 1 << " is " << describe(ours[i])
                       << " in the core and " << describe(theirs[at + i]) << " in the reference";
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Generators, FastCoresOverLongStreams, ::testing::ValuesIn(kLongRows),
                         [](const ::testing::TestParamInfo<LongRow>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// One step from each state of a range (every `stride`-th): the core's value
// and next state against the reference's.

struct StepRow {
    const char* name;
    std::uint64_t first, last, stride;  // the states visited
    // The state numbered s; false when it is no state of the core.
    bool (*step_agrees)(std::uint64_t s, std::string& why);
};

void PrintTo(const StepRow& row, std::ostream* os) { *os << row.name; }

template <class Core, class Formulation, class State>
bool one_step(State Core::State::*core_state, State Formulation::*reference_state, State state, std::string& why) {
    Core core;
    testing::state(core).*core_state = state;
    Formulation formulation{};
    formulation.start();  // its constants
    formulation.*reference_state = state;
    float ours = 0.0f, theirs = 0.0f;
    testing::fill(core, std::span<float>(&ours, 1));
    formulation.call(std::span<float>(&theirs, 1));
    const State ours_next = testing::state(core).*core_state;
    const State theirs_next = formulation.*reference_state;
    if (std::bit_cast<std::uint32_t>(ours) == std::bit_cast<std::uint32_t>(theirs) &&
        std::memcmp(&ours_next, &theirs_next, sizeof(State)) == 0) {
        return true;
    }
    why = "from the state " + std::to_string(state) + " the core gives " + describe(ours) + " and the state " +
          std::to_string(ours_next) + ", the reference " + describe(theirs) + " and " + std::to_string(theirs_next);
    return false;
}

using namespace generators;

const StepRow kStepRows[] = {
    {"URN31", 0, 16777215, 1,
     [](std::uint64_t s, std::string& why) {
         return one_step<Urn31Core, reference::Urn31>(&Urn31Core::State::ixx, &reference::Urn31::IXX, static_cast<std::int32_t>(s), why);
     }},
    {"URN32", 0, 33554431, 1,
     [](std::uint64_t s, std::string& why) {
         return one_step<Urn32Core, reference::Urn32>(&Urn32Core::State::ixx, &reference::Urn32::IXX, static_cast<std::int32_t>(s), why);
     }},
    // Every whole single-precision value from 0 to 100000040 (the others are
    // skipped as no state).
    {"URN33", 0, 100000040, 1,
     [](std::uint64_t s, std::string& why) {
         const auto xi = static_cast<float>(s);
         if (static_cast<std::uint64_t>(xi) != s) return true;
         return one_step<Urn33Core, reference::Urn33>(&Urn33Core::State::xi, &reference::Urn33::XI, xi, why);
     }},
    {"URN12", 1, 2147483647, 13,
     [](std::uint64_t s, std::string& why) {
         return one_step<Urn12Core, reference::Urn12>(&Urn12Core::State::ix, &reference::Urn12::IX, static_cast<std::int32_t>(s), why);
     }},
    {"URN20", 0, 2147483646, 61,
     [](std::uint64_t s, std::string& why) {
         return one_step<Urn20Core, reference::Urn20>(&Urn20Core::State::ix, &reference::Urn20::IX, static_cast<std::int32_t>(s), why);
     }},
    // The products modulo 2^31 - 1 of URN28 and URN30 against the 16/15-bit
    // decomposition they replace.
    {"URN28 and URN30 products", 0, 2147483646, 29,
     [](std::uint64_t s, std::string& why) {
         const auto z = static_cast<std::int32_t>(s);
         const std::int32_t urn28 = reference::decomposed_product(z, 16807);
         const std::int32_t urn30 = reference::decomposed_product(reference::decomposed_product(z, 24112), 26143);
         if (mod_product(Urn28Core::kMultiplier, z) == urn28 && mod_product(Urn30Core::kA, z) == urn30) return true;
         why = "for z = " + std::to_string(z) + ": " + std::to_string(mod_product(Urn28Core::kMultiplier, z)) +
               " and " + std::to_string(mod_product(Urn30Core::kA, z)) + ", decomposed " + std::to_string(urn28) +
               " and " + std::to_string(urn30);
         return false;
     }},
};

class FastCoreSteps : public ::testing::TestWithParam<StepRow> {};

TEST_P(FastCoreSteps, AgreeWithTheReferenceFromEveryStateVisited) {
    const StepRow& row = GetParam();
    std::string why;
    for (std::uint64_t s = row.first; s <= row.last; s += row.stride) {
        if (!row.step_agrees(s, why)) FAIL() << row.name << ": " << why;
    }
    // The last state of the range, whatever the stride.
    if (!row.step_agrees(row.last, why)) FAIL() << row.name << ": " << why;
}

INSTANTIATE_TEST_SUITE_P(Generators, FastCoreSteps, ::testing::ValuesIn(kStepRows),
                         [](const ::testing::TestParamInfo<StepRow>& info) {
                             std::string name = info.param.name;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             }
                             return name;
                         });

}  // namespace
}  // namespace tamboril
