#include "generators/protocol.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>

namespace tamboril::generators {

namespace {

const Template& heading_template(Heading heading) {
    static const Template parenthesised(
        "(1X,'LA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO',' (SIGUIENTE A LOS',I11,/,"
        "1X,'YA GENERADOS) ES:')");
    static const Template spaced(
        "(1X,'LA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO ','(SIGUIENTE A LOS',I11,/,"
        "1X,'YA GENERADOS) ES:')");
    static const Template colon(
        "(1X,'LA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO',' SIGUIENTE A LOS',I11,/,"
        "1X,'YA GENERADOS) ES:')");
    static const Template plain(
        "(1X,'LA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO',' SIGUIENTE A LOS',I11,/,"
        "1X,'YA GENERADOS) ES')");
    switch (heading) {
        case Heading::Parenthesised: return parenthesised;
        case Heading::SpacedParenthesised: return spaced;
        case Heading::Colon: return colon;
        case Heading::Plain: break;
    }
    return plain;
}

}  // namespace

void print_heading(Console& console, Heading heading, std::int32_t n) {
    console.write(heading_template(heading), {n});
}

bool equal_blank_padded(std::string_view a, std::string_view b) {
    const std::size_t length = std::max(a.size(), b.size());
    for (std::size_t i = 0; i < length; ++i) {
        const char x = i < a.size() ? a[i] : ' ';
        const char y = i < b.size() ? b[i] : ' ';
        if (x != y) return false;
    }
    return true;
}

std::int32_t seed_ix(std::string_view name) { return equal_blank_padded(name, "URN10   ") ? 1 : 524287; }

void print_ix_line(Console& console, std::int32_t ix) {
    static const Template line("(' ',8X,'IX=',I11)");
    console.write(line, {ix});
}

Operation::Operation(std::string_view name) : name_(name) {}

std::string Operation::name() const {
    std::string trimmed = name_;
    while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
    return trimmed;
}

namespace {
[[noreturn]] void no_values(const Operation& operation) {
    throw std::logic_error(operation.name() + " produces no values");
}
}  // namespace

int Operation::bits() const { no_values(*this); }
bool Operation::cut_dependent() const { no_values(*this); }
SeedRange Operation::seed_range() const { no_values(*this); }
void Operation::seed(std::uint64_t) { no_values(*this); }
void Operation::discard(std::uint64_t, std::int32_t) { no_values(*this); }
std::string Operation::save() const { no_values(*this); }
void Operation::restore(std::string_view) { no_values(*this); }
std::unique_ptr<Generator> Operation::clone() const { no_values(*this); }

void Operation::print_report(Console& console, std::int32_t n) const {
    print_heading(console, heading(), n);
    print_state(console);
}

void Operation::sequence(std::span<float> out) {
    if (out.size() > static_cast<std::size_t>(INT32_MAX)) {
        throw std::length_error("a sequence holds at most 2147483647 values");
    }
    // One fill of the whole span: the core writes straight into `out`, as
    // a run's blocks of the same call would give the values in turn.
    const auto n = static_cast<std::int32_t>(out.size());
    start_once();
    begin_call();
    if (generates()) {
        fill(out);
        end_call(n);
    }
}

void Operation::start_once() {
    if (!started_) {
        initialise(name_);
        started_ = true;
    }
}

void Operation::generate(std::int32_t n, SampleSink& sink) {
    start_once();
    begin_call();
    if (generates()) {
        fill_blocks(n, sink);
        end_call(n);
    }
}

void Operation::fill_blocks(std::int32_t n, SampleSink& sink) {
    std::array<float, kBlockSamples> block;
    std::size_t left = n > 0 ? static_cast<std::size_t>(n) : 0;
    while (left > 0) {
        const std::size_t count = std::min(left, block.size());
        const std::span<float> samples(block.data(), count);
        fill(samples);
        sink.put(samples);
        left -= count;
    }
}

void Operation::call(const Call& call) {
    if (call.first) {
        initialise(name_);
        print_start(call.console);
    }
    begin_call();
    if (generates()) {
        fill_blocks(call.n, call.sink);
        end_call(call.n);
    }
    print_sequence(call.console);
    if (call.first) print_report(call.console, call.n);
}

}  // namespace tamboril::generators
