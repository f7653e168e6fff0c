#include "tamboril/cores/urn22.hpp"

#include "generators/core_operation.hpp"

namespace tamboril::generators {

namespace {

class Urn22 final : public CoreOperation<Urn22Core, Urn22> {
public:
    using CoreOperation::CoreOperation;

private:
    Heading heading() const override { return Heading::Plain; }
    // D15.0 shows only the decimal exponent of M1.
    void print_state(Console& console) const override {
        static const Template line("(' ',8X,'M1=',D15.0)");
        console.write(line, {state().m1});
    }

};

}  // namespace

std::unique_ptr<Operation> make_urn22(std::string_view name) { return std::make_unique<Urn22>(name); }

}  // namespace tamboril::generators
