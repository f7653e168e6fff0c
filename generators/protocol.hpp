// What every generator shares: the calling shape, the first-call flag, the
// order of its console lines, the report headings and the seed routine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "records/console.hpp"
#include "records/template.hpp"
#include "tamboril/generators.hpp"

namespace tamboril::generators {

using records::Console;
using records::Item;
using records::Template;

// Where the samples of a call go, block by block, in generation order.
class SampleSink {
public:
    virtual ~SampleSink() = default;
    virtual void put(std::span<const float> samples) = 0;
};

// Samples handed to the sink at a time: a call of any length needs no more.
inline constexpr std::size_t kBlockSamples = 4096;

// One call of a generator operation in a run.
struct Call {
    std::int32_t n;   // values per sequence
    bool first;       // the first call of the run, which prints the state report
    Console& console;
    SampleSink& sink;
};

// The four report headings; each generator prints one of them.
enum class Heading {
    Parenthesised,        // URN01
    SpacedParenthesised,  // URN02
    Colon,                // URN03, URN04, URN21
    Plain,                // every other generator
};

void print_heading(Console& console, Heading heading, std::int32_t n);

// Character equality in which the shorter operand counts as padded with
// blanks (how generator names are compared).
bool equal_blank_padded(std::string_view a, std::string_view b);

// Seed routine: 1 for "URN10   ", 524287 for every other name.
std::int32_t seed_ix(std::string_view name);

// Unit seed routine of URN03 and URN06, which do not use the one above: IX
// starts at 1.
constexpr std::int32_t unit_seed() { return 1; }

// The "(' ',8X,'IX=',I11)" state line that many generators print.
void print_ix_line(Console& console, std::int32_t ix);

// A generator operation with its run-long state. `call` runs the steps in
// their fixed order: first-call initialisation and starting-state lines,
// generation, per-sequence lines, and the state report after the first call.
// `sequence` and `generate` run the same steps without a console (the
// library's generator and the stream program).
class Operation : public tamboril::Generator {
public:
    // The 8-character catalogue name; the seed routine reads it.
    explicit Operation(std::string_view name);

    void call(const Call& call);

    void sequence(std::span<float> out) override;
    std::string name() const override;

    // A stub has no values, seed or state of its own: these throw
    // std::logic_error unless the operation's core gives them.
    int bits() const override;
    bool cut_dependent() const override;
    SeedRange seed_range() const override;
    void seed(std::uint64_t v) override;
    void discard(std::uint64_t n, std::int32_t per_call) override;
    std::string save() const override;
    void restore(std::string_view text) override;
    std::unique_ptr<Generator> clone() const override;

    // One call with N = n, without a console, its samples handed to `sink`
    // block by block; the first such call (or sequence()) sets the starting
    // state.
    void generate(std::int32_t n, SampleSink& sink);

protected:
    // Sets the starting state unless a call, a seed or a restored state has
    // set a state already.
    void start_once();
    // A seed or a restored state is the state from which the calls go on.
    void mark_started() { started_ = true; }

    // First call only: set the starting state.
    virtual void initialise(std::string_view name) = 0;
    // Starting-state lines; by default the same lines as the state report.
    virtual void print_start(Console& console) const { print_state(console); }
    // Work every call does before generating (a new stream, refilled tables).
    virtual void begin_call() {}
    // Whether the operation generates at all (stubs do not).
    virtual bool generates() const { return true; }
    // The next out.size() samples of the current call.
    virtual void fill(std::span<float> out) = 0;
    // Work after the values of a call, with N as given (even 0 or negative).
    virtual void end_call(std::int32_t /*n*/) {}
    // Lines printed after every generation.
    virtual void print_sequence(Console& /*console*/) const {}
    // The state report: heading with N, then the state lines.
    virtual void print_report(Console& console, std::int32_t n) const;
    virtual Heading heading() const = 0;
    virtual void print_state(Console& console) const = 0;

private:
    // The samples of a call with N = n, through a block buffer.
    void fill_blocks(std::int32_t n, SampleSink& sink);

    std::string name_;
    bool started_ = false;  // whether sequence() or generate() has initialised the state
};

}  // namespace tamboril::generators
