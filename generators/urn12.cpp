#include "tamboril/cores/urn12.hpp"

#include "generators/core_operation.hpp"

namespace tamboril::generators {

namespace {

class Urn12 final : public CoreOperation<Urn12Core, Urn12> {
public:
    using CoreOperation::CoreOperation;

private:
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        static const Template line(
            "(9X,'IX=',I11,'   L=',I11,'   C2=',F15.1,'   ZZ2=',F15.1)");
        console.write(line, {state().ix, Urn12Core::kL, Urn12Core::kC2, Urn12Core::kZz2});
    }

};

}  // namespace

std::unique_ptr<Operation> make_urn12(std::string_view name) { return std::make_unique<Urn12>(name); }

}  // namespace tamboril::generators
