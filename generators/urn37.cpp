#include "tamboril/cores/urn37.hpp"

#include "generators/core_operation.hpp"
#include "generators/state_lines.hpp"

namespace tamboril::generators {

namespace {

class Urn37 final : public CoreOperation<Urn37Core, Urn37> {
public:
    using CoreOperation::CoreOperation;

private:
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override { print_intin1_line(console, state().intin1); }

};

}  // namespace

std::unique_ptr<Operation> make_urn37(std::string_view name) { return std::make_unique<Urn37>(name); }

}  // namespace tamboril::generators
