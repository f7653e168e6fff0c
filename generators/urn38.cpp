#include "tamboril/cores/urn38.hpp"

#include "generators/core_operation.hpp"
#include "generators/state_lines.hpp"

namespace tamboril::generators {

namespace {

class Urn38 final : public CoreOperation<Urn38Core, Urn38> {
public:
    using CoreOperation::CoreOperation;

private:
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override { print_intin1_line(console, state().intin1); }

};

}  // namespace

std::unique_ptr<Operation> make_urn38(std::string_view name) { return std::make_unique<Urn38>(name); }

}  // namespace tamboril::generators
