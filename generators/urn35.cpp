#include "tamboril/cores/urn35.hpp"

#include "generators/core_operation.hpp"
#include "generators/state_lines.hpp"

namespace tamboril::generators {

namespace {

class Urn35 final : public CoreOperation<Urn35Core, Urn35> {
public:
    using CoreOperation::CoreOperation;

private:
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        print_kw_lines(console, state().kw, state().ky, state().kz, state().xr);
    }

};

}  // namespace

std::unique_ptr<Operation> make_urn35(std::string_view name) { return std::make_unique<Urn35>(name); }

}  // namespace tamboril::generators
