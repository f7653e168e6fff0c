#include "tamboril/cores/urn08.hpp"

#include "generators/core_operation.hpp"

namespace tamboril::generators {

namespace {

class Urn08 final : public CoreOperation<Urn08Core, Urn08> {
public:
    using CoreOperation::CoreOperation;

private:
    void initialise(std::string_view name) override { core_.seed(static_cast<std::uint64_t>(seed_ix(name))); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override { print_ix_line(console, state().ix); }

};

}  // namespace

std::unique_ptr<Operation> make_urn08(std::string_view name) { return std::make_unique<Urn08>(name); }

}  // namespace tamboril::generators
