// The generators of the catalogue as a library: every generator that produces
// values, by name, at the fixed starting state of a run.
//
//     auto urn01 = tamboril::make_generator("URN01");
//     std::vector<float> values(10000);
//     urn01->sequence(values);  // the first 10 000 lines of ARCHURN01
//
// Each call of sequence() is one call of the generator, exactly as a run with
// N = out.size() makes it: M calls with spans of N values give the values of
// the data file of a run with N and M, in order. Nothing is printed; the
// console lines (starting state, report) belong to the program.
//
// The arithmetic cores, tamboril::generators::UrnNNCore, are value types as
// well, for a program that wants one generator without a virtual call:
//
//     auto core = tamboril::generators::Urn03Core::start();
//     auto saved = core;          // copies hold the whole state
//     float a = core();           // one value
//     assert(saved != core && saved() == a);
//
// The rule for every core:
//   - XCore::start() is the state at the start of a run, the state the first
//     call of the generator sets (seed routine included). A default-constructed
//     core holds zeros, the state before that first call, and is not a
//     starting state.
//   - sequence(std::span<float> out) is one call of the generator with
//     N = out.size(): M calls with spans of N give the data file of a run with
//     N and M.
//   - float operator()() gives the next value, for the generators whose
//     stream does not depend on how it is cut into sequences: values drawn
//     one at a time are the values of the data file of any run, in order, and
//     may be mixed with sequence() calls.
//   - Copies are independent; == compares the whole state (working tables
//     included), so equal cores give equal streams from there on.
//   - fill(std::span<float>) is the step the program runs inside a call (for
//     URN05, URN30, URN34 and URN39 only after the call's own preparation);
//     sequence() and operator() are the ones to use.
//
// The cores with operator(): Urn01Core, Urn02Core, Urn03Core, Urn05Core,
// Urn06Core, Urn08Core, Urn09Core, Urn10Core, Urn11Core, Urn12Core,
// Urn13Core, Urn14Core, Urn20Core, Urn21Core, Urn22Core, Urn28Core,
// Urn31Core, Urn32Core, Urn33Core, Urn35Core, Urn36Core, Urn37Core, Urn38Core
// and Urn39Core. Urn30Core and Urn34Core, whose streams depend on the cut,
// have sequence() only: URN30 opens a new stream at every call and URN34
// primes its tables at every call.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tamboril/engine.hpp"
#include "tamboril/version.hpp"
#include "tamboril/cores/urn01.hpp"
#include "tamboril/cores/urn02.hpp"
#include "tamboril/cores/urn03.hpp"
#include "tamboril/cores/urn05.hpp"
#include "tamboril/cores/urn06.hpp"
#include "tamboril/cores/urn08.hpp"
#include "tamboril/cores/urn09.hpp"
#include "tamboril/cores/urn10.hpp"
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

namespace tamboril {

class Generator {
public:
    virtual ~Generator() = default;

    // One call of the generator: fills `out` with the next out.size() values.
    // A span longer than 2^31 - 1 values, which no run can ask for, throws
    // std::length_error.
    virtual void sequence(std::span<float> out) = 0;

    // The generator's name, such as "URN01".
    virtual std::string name() const = 0;

    // B: the leading bits of each value's word floor(s 2^32) that are
    // uniform over the values the generator can give (Engine::bits).
    virtual int bits() const = 0;

    // Whether the values depend on how the stream is cut into calls (URN30,
    // URN34): then `per_call` below counts.
    virtual bool cut_dependent() const = 0;

    // The state variable that seed() sets and its valid values.
    virtual SeedRange seed_range() const = 0;

    // The starting state with the seed v in place of the run's own value;
    // std::invalid_argument outside seed_range().
    virtual void seed(std::uint64_t v) = 0;

    // The state that n more values leave, cut into calls of `per_call`
    // values and a last shorter call, as sequence() calls of that length
    // would cut them (the cut matters only where cut_dependent()).
    // std::invalid_argument for a per_call below 1.
    virtual void discard(std::uint64_t n, std::int32_t per_call = kDefaultValuesPerCall) = 0;

    // The whole state as one line of text: the name, then the core's saved
    // state; restore() of it gives the same stream from there on. restore()
    // throws std::invalid_argument, and changes nothing, for text that is
    // not a saved state of this generator.
    virtual std::string save() const = 0;
    virtual void restore(std::string_view text) = 0;

    // An independent copy of the generator in its present state.
    virtual std::unique_ptr<Generator> clone() const = 0;
};

// The names of the generators that produce values, in catalogue order.
std::vector<std::string> generator_names();

// A generator at the starting state of a run. A name that is not in the
// catalogue, a generator that only prints its state and a generator that is
// not implemented throw std::invalid_argument; the message says which and
// lists the valid names. Names are compared as the program compares them:
// exactly, upper case, trailing blanks ignored. The whole name counts: the
// dialogue reads only the first five characters typed, so that "URN011"
// selects URN01 there, but here it is refused.
std::unique_ptr<Generator> make_generator(std::string_view name);

// The same generator seeded with v (Generator::seed); std::invalid_argument
// for a seed outside the generator's range as well.
std::unique_ptr<Generator> make_generator(std::string_view name, std::uint64_t seed);

}  // namespace tamboril
