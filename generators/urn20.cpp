#include "tamboril/cores/urn20.hpp"

#include "generators/core_operation.hpp"

namespace tamboril::generators {

namespace {

void print_ix20(Console& console, std::int32_t ix) {
    static const Template line("(1X,'IX=',I20)");
    console.write(line, {ix});
}

class Urn20 final : public CoreOperation<Urn20Core, Urn20> {
public:
    using CoreOperation::CoreOperation;

private:
    void initialise(std::string_view name) override { core_.seed(static_cast<std::uint64_t>(seed_ix(name))); }
    // No starting-state line.
    void print_start(Console&) const override {}
    // The state after every sequence.
    void print_sequence(Console& console) const override { print_ix20(console, state().ix); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override { print_ix20(console, state().ix); }

};

}  // namespace

std::unique_ptr<Operation> make_urn20(std::string_view name) { return std::make_unique<Urn20>(name); }

}  // namespace tamboril::generators
