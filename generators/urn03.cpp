#include "tamboril/cores/urn03.hpp"

#include "generators/core_operation.hpp"

namespace tamboril::generators {

namespace {

class Urn03 final : public CoreOperation<Urn03Core, Urn03> {
public:
    using CoreOperation::CoreOperation;

private:
    Heading heading() const override { return Heading::Colon; }
    void print_state(Console& console) const override {
        static const Template line("(1X,'IX= ',I11,5X,'JX= ',I11)");
        console.write(line, {state().ix, std::int32_t{0}});
    }

};

}  // namespace

std::unique_ptr<Operation> make_urn03(std::string_view name) { return std::make_unique<Urn03>(name); }

}  // namespace tamboril::generators
