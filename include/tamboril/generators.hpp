// The generators of the catalogue as a library: every generator that produces
// values, by name, at the fixed starting state of a run.
//
//     auto urn01 = tamboril::make_generator("URN01");
//     std::vector<float> values(10000);
//     urn01->sequence(values);  // the first 10 000 lines of ARCHURN01
//
// Each call of sequence() is one call of the generator, exactly as a run with
// N = out.size() makes it: M calls with spans of N values give the values of
// the data file of a run with N and M, in order. Nothing is printed.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tamboril {

class Generator {
public:
    virtual ~Generator() = default;

    // One call of the generator: fills `out` with the next out.size() values.
    // The first call sets the starting state. A span longer than 2^31 - 1
    // values, which no run can ask for, throws std::length_error.
    virtual void sequence(std::span<float> out) = 0;

    // The generator's name, such as "URN01".
    virtual std::string name() const = 0;
};

// The names of the generators that produce values, in catalogue order.
std::vector<std::string> generator_names();

// A generator at the starting state of a run. A name that is not in the
// catalogue, a generator that only prints its state and a generator that is
// not implemented throw std::invalid_argument; the message says which and
// lists the valid names.
std::unique_ptr<Generator> make_generator(std::string_view name);

}  // namespace tamboril
