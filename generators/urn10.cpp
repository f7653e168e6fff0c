#include "tamboril/cores/urn10.hpp"

#include "generators/core_operation.hpp"

namespace tamboril::generators {

namespace {

class Urn10 final : public CoreOperation<Urn10Core, Urn10> {
public:
    using CoreOperation::CoreOperation;

private:
    void initialise(std::string_view name) override { core_.seed(static_cast<std::uint64_t>(seed_ix(name))); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override { print_ix_line(console, state().ix); }

};

}  // namespace

std::unique_ptr<Operation> make_urn10(std::string_view name) { return std::make_unique<Urn10>(name); }

}  // namespace tamboril::generators
