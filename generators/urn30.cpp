#include "tamboril/cores/urn30.hpp"

#include "generators/core_operation.hpp"

namespace tamboril::generators {

namespace {

class Urn30 final : public CoreOperation<Urn30Core, Urn30> {
public:
    using CoreOperation::CoreOperation;

private:
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        static const Template line("(1X,'ISTRM=',I20,5X,'IZ=',I20)");
        console.write(line, {state().istrm, state().iz});
    }

};

}  // namespace

std::unique_ptr<Operation> make_urn30(std::string_view name) { return std::make_unique<Urn30>(name); }

}  // namespace tamboril::generators
