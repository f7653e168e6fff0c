#include "tamboril/cores/urn03.hpp"

#include "generators/protocol.hpp"

namespace tamboril::generators {

namespace {

class Urn03 final : public Operation {
public:
    using Operation::Operation;

private:
    void initialise(std::string_view) override { core_.ix = unit_seed(); }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Colon; }
    void print_state(Console& console) const override {
        static const Template line("(1X,'IX= ',I11,5X,'JX= ',I11)");
        console.write(line, {core_.ix, core_.jx});
    }

    Urn03Core core_;
};

}  // namespace

std::unique_ptr<Operation> make_urn03(std::string_view name) { return std::make_unique<Urn03>(name); }

}  // namespace tamboril::generators
