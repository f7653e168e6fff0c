#include "tamboril/cores/urn05.hpp"

#include <vector>

#include "generators/core_operation.hpp"

namespace tamboril::generators {

namespace {

class Urn05 final : public CoreOperation<Urn05Core, Urn05> {
public:
    using CoreOperation::CoreOperation;

private:
    Heading heading() const override { return Heading::Plain; }

    void print_state(Console& console) const override {
        static const Template sizes(
            "(' ',8X,'P=',I11,'   Q=',I11,'   INTSIZ=',I11,'   JJ=',I11)");
        static const Template words("(9X,'MFSR=',/,9(10(1X,I11),/),8(1X,I11))");
        console.write(sizes, {Urn05Core::kP, Urn05Core::kQ, Urn05Core::kIntsiz, state().jj});
        const std::vector<Item> entries(state().mfsr.begin(), state().mfsr.end());
        console.write(words, entries);
    }

};

}  // namespace

std::unique_ptr<Operation> make_urn05(std::string_view name) { return std::make_unique<Urn05>(name); }

}  // namespace tamboril::generators
