#include "tamboril/cores/urn06.hpp"

#include "generators/protocol.hpp"

namespace tamboril::generators {

namespace {

class Urn06 final : public Operation {
public:
    using Operation::Operation;

private:
    void initialise(std::string_view) override { core_.ix = unit_seed(); }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        static const Template line("(' ',8X,'IX=',I11,'   JX=',I11)");
        console.write(line, {core_.ix, core_.jx});
    }

    Urn06Core core_;
};

}  // namespace

std::unique_ptr<Operation> make_urn06(std::string_view name) { return std::make_unique<Urn06>(name); }

}  // namespace tamboril::generators
