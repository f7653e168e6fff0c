#include "tamboril/cores/urn39.hpp"

#include "generators/core_operation.hpp"

namespace tamboril::generators {

namespace {

class Urn39 final : public CoreOperation<Urn39Core, Urn39> {
public:
    using CoreOperation::CoreOperation;

private:
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        static const Template lines("(1X,'SEED=',D15.10,/,1X,'ITOTAL39 =',I20)");
        console.write(lines, {state().seed, state().itotal39()});
    }

};

}  // namespace

std::unique_ptr<Operation> make_urn39(std::string_view name) { return std::make_unique<Urn39>(name); }

}  // namespace tamboril::generators
