#include "tamboril/cores/urn21.hpp"

#include "generators/core_operation.hpp"

namespace tamboril::generators {

namespace {

class Urn21 final : public CoreOperation<Urn21Core, Urn21> {
public:
    using CoreOperation::CoreOperation;

private:
    // Nothing is shown before the first sequence.
    void print_start(Console&) const override {}
    Heading heading() const override { return Heading::Colon; }
    void print_state(Console& console) const override {
        static const Template line("(' ',8X,' M1 =',I11,2X,' , M2 =',I11,2X,' , M3 =',I11)");
        console.write(line, {state().m1, state().m2, state().m3});
    }

};

}  // namespace

std::unique_ptr<Operation> make_urn21(std::string_view name) { return std::make_unique<Urn21>(name); }

}  // namespace tamboril::generators
