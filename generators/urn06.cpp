#include "tamboril/cores/urn06.hpp"

#include "generators/core_operation.hpp"

namespace tamboril::generators {

namespace {

class Urn06 final : public CoreOperation<Urn06Core, Urn06> {
public:
    using CoreOperation::CoreOperation;

private:
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        static const Template line("(' ',8X,'IX=',I11,'   JX=',I11)");
        console.write(line, {state().ix, Urn06Core::kJx});
    }

};

}  // namespace

std::unique_ptr<Operation> make_urn06(std::string_view name) { return std::make_unique<Urn06>(name); }

}  // namespace tamboril::generators
