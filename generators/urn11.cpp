#include "tamboril/cores/urn11.hpp"

#include "generators/core_operation.hpp"

namespace tamboril::generators {

namespace {

class Urn11 final : public CoreOperation<Urn11Core, Urn11> {
public:
    using CoreOperation::CoreOperation;

private:
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        static const Template line(
            "(' ',8X,'IX=',I11,'   L=',I11,'   C=',F15.1,'   ZZ=',F15.1)");
        console.write(line, {state().ix, Urn11Core::kL, Urn11Core::kC, Urn11Core::kZz});
    }

};

}  // namespace

std::unique_ptr<Operation> make_urn11(std::string_view name) { return std::make_unique<Urn11>(name); }

}  // namespace tamboril::generators
