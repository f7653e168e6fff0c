// The generators of the catalogue as a library: every generator that produces
// values, by name, at the starting state of a run or from a seed.
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
// The arithmetic cores, tamboril::generators::UrnNNCore, are value types,
// for a program that wants one generator without a virtual call, and
// tamboril::Engine<UrnNNCore> (<tamboril/engine.hpp>) makes each a random
// number engine for <random>. The public interface of every core:
//   - XCore::start(), and a default-constructed core: the state at the start
//     of a run, the state the first call of the generator sets (seed routine
//     included).
//   - XCore::bits, B: the leading bits of each value's word floor(s 2^32)
//     that are uniform over the values the generator can give.
//   - XCore::seed_range and seed(v): the state variable that a seed sets, its
//     valid values and the run's own value; seed(v) is start() with v in
//     that place and everything built from it rebuilt, seed(start value) is
//     start(), and a value outside the range throws std::invalid_argument.
//   - sequence(std::span<float> out): one call of the generator with
//     N = out.size().
//   - float operator()(): the next value, for the generators whose stream
//     does not depend on how it is cut into calls; values one at a time are
//     the values of the data file of any run, in order, and mix with
//     sequence() calls. URN30 and URN34, whose streams depend on the cut,
//     have sequence() only: URN30 opens a new stream at every call and URN34
//     primes its tables at every call.
//   - discard(n): the state after n more values; URN30's and URN34's
//     discard(n, per_call) counts n in values cut into calls of per_call and
//     a last shorter call. Each core's header says whether it skips in
//     O(log n) (the linear maps) or by steps.
//   - ==, and << and >> of the saved state: the state variables as decimal
//     integers (a floating-point variable as its bit pattern, or as its whole
//     number where it holds only whole numbers), blank-separated; >> of what
//     << wrote gives an equal core, and text that is malformed or out of
//     range sets failbit and leaves the core unchanged.
// Copies are independent; no two objects share state, so that objects may be
// used on different threads at once, each object on one thread at a time.
// What else the headers show of a core (its State, ProgramAccess) is the
// program's own, for its state lines.
//
// Compiled code: make_generator(), Generator and Urn39Core (its fast sine)
// need the library tamboril::tamboril; every other core, and Engine of it,
// is header-only.
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
