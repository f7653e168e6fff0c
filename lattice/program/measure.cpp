#include "lattice/program/measure.hpp"

#include <array>
#include <span>
#include <vector>

#include "tamboril/generators.hpp"

namespace tamboril::lattice_program {

namespace {

using namespace tamboril::generators;

template <class Core>
lattice::Cycle by_values(std::uint64_t budget) {
    return lattice::find_cycle(Core::start(), [](Core& core) { (void)core(); }, budget);
}

template <class Core>
lattice::Cycle by_calls(std::uint64_t budget) {
    std::vector<float> buffer(kMeasuredCall);
    return lattice::find_cycle(Core::start(), [&](Core& core) { core.sequence(std::span<float>(buffer)); }, budget);
}

struct Measured {
    std::string_view name;
    lattice::Cycle (*run)(std::uint64_t);
    bool calls;
};

constexpr std::array<Measured, 26> kMeasured = {{
    {"URN01", by_values<Urn01Core>, false}, {"URN02", by_values<Urn02Core>, false},
    {"URN03", by_values<Urn03Core>, false}, {"URN05", by_values<Urn05Core>, false},
    {"URN06", by_values<Urn06Core>, false}, {"URN08", by_values<Urn08Core>, false},
    {"URN09", by_values<Urn09Core>, false}, {"URN10", by_values<Urn10Core>, false},
    {"URN11", by_values<Urn11Core>, false}, {"URN12", by_values<Urn12Core>, false},
    {"URN13", by_values<Urn13Core>, false}, {"URN14", by_values<Urn14Core>, false},
    {"URN20", by_values<Urn20Core>, false}, {"URN21", by_values<Urn21Core>, false},
    {"URN22", by_values<Urn22Core>, false}, {"URN28", by_values<Urn28Core>, false},
    {"URN30", by_calls<Urn30Core>, true},   {"URN31", by_values<Urn31Core>, false},
    {"URN32", by_values<Urn32Core>, false}, {"URN33", by_values<Urn33Core>, false},
    {"URN34", by_calls<Urn34Core>, true},   {"URN35", by_values<Urn35Core>, false},
    {"URN36", by_values<Urn36Core>, false}, {"URN37", by_values<Urn37Core>, false},
    {"URN38", by_values<Urn38Core>, false}, {"URN39", by_values<Urn39Core>, false},
}};

const Measured* find(std::string_view name) {
    for (const Measured& m : kMeasured)
        if (m.name == name) return &m;
    return nullptr;
}

}  // namespace

std::optional<lattice::Cycle> measure_period(std::string_view name, std::uint64_t budget) {
    const Measured* m = find(name);
    if (m == nullptr) return std::nullopt;
    return m->run(budget);
}

bool measured_in_calls(std::string_view name) {
    const Measured* m = find(name);
    return m != nullptr && m->calls;
}

}  // namespace tamboril::lattice_program
