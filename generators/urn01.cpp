#include "tamboril/cores/urn01.hpp"

#include "generators/core_operation.hpp"

namespace tamboril::generators {

namespace {

class Urn01 final : public CoreOperation<Urn01Core, Urn01> {
public:
    using CoreOperation::CoreOperation;

private:
    void initialise(std::string_view name) override { core_.seed(static_cast<std::uint64_t>(seed_ix(name))); }
    Heading heading() const override { return Heading::Parenthesised; }
    void print_state(Console& console) const override { print_ix_line(console, state().ix); }
};

}  // namespace

std::unique_ptr<Operation> make_urn01(std::string_view name) { return std::make_unique<Urn01>(name); }

}  // namespace tamboril::generators
