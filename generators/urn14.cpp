#include "tamboril/cores/urn14.hpp"

#include "generators/core_operation.hpp"

namespace tamboril::generators {

namespace {

class Urn14 final : public CoreOperation<Urn14Core, Urn14> {
public:
    using CoreOperation::CoreOperation;

private:
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        static const Template line("(' ',8X,'IX=',I11,'   JX=',I11)");
        console.write(line, {state().ix, state().jx});
    }

};

}  // namespace

std::unique_ptr<Operation> make_urn14(std::string_view name) { return std::make_unique<Urn14>(name); }

}  // namespace tamboril::generators
