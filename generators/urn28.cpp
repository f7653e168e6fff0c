#include "tamboril/cores/urn28.hpp"

#include "generators/core_operation.hpp"

namespace tamboril::generators {

namespace {

class Urn28 final : public CoreOperation<Urn28Core, Urn28> {
public:
    using CoreOperation::CoreOperation;

private:
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        static const Template line("(1X,'IX=',I20)");
        console.write(line, {state().ix});
    }

};

}  // namespace

std::unique_ptr<Operation> make_urn28(std::string_view name) { return std::make_unique<Urn28>(name); }

}  // namespace tamboril::generators
