#include "tamboril/cores/urn02.hpp"

#include <vector>

#include "generators/core_operation.hpp"

namespace tamboril::generators {

namespace {

class Urn02 final : public CoreOperation<Urn02Core, Urn02> {
public:
    using CoreOperation::CoreOperation;

private:
    Heading heading() const override { return Heading::SpacedParenthesised; }

    // A one-blank free-form record stands before the heading.
    void print_report(Console& console, std::int32_t n) const override {
        console.write_free(" ");
        Operation::print_report(console, n);
    }

    void print_state(Console& console) const override {
        static const Template multipliers(
            "(' ',8X,'ML=',I11,'   MM=',I11,'   MK=',I11,'   L=',I11,'   MMM=',I11,"
            "'   KKK=',I11)");
        static const Template table("(9X,'NN=',/,9(14(1X,Z8),/),1X,Z8,1X,Z8)");
        console.write(multipliers, {Urn02Core::kMl, Urn02Core::kMm, Urn02Core::kMk, state().l, state().mmm, state().kkk});
        const std::vector<Item> entries(state().nn.begin(), state().nn.end());
        console.write(table, entries);
    }

};

}  // namespace

std::unique_ptr<Operation> make_urn02(std::string_view name) { return std::make_unique<Urn02>(name); }

}  // namespace tamboril::generators
