#include "tamboril/cores/urn13.hpp"

#include "generators/core_operation.hpp"
#include "generators/state_lines.hpp"

namespace tamboril::generators {

namespace {

class Urn13 final : public CoreOperation<Urn13Core, Urn13> {
public:
    using CoreOperation::CoreOperation;

private:
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override { print_intin_lines(console, state().intin()); }

};

}  // namespace

std::unique_ptr<Operation> make_urn13(std::string_view name) { return std::make_unique<Urn13>(name); }

}  // namespace tamboril::generators
