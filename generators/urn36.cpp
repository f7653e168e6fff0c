#include "tamboril/cores/urn36.hpp"

#include "generators/core_operation.hpp"
#include "generators/state_lines.hpp"

namespace tamboril::generators {

namespace {

class Urn36 final : public CoreOperation<Urn36Core, Urn36> {
public:
    using CoreOperation::CoreOperation;

private:
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override { print_intin_lines(console, state().intin()); }

};

}  // namespace

std::unique_ptr<Operation> make_urn36(std::string_view name) { return std::make_unique<Urn36>(name); }

}  // namespace tamboril::generators
