#include "generators/urn06.hpp"

#include "generators/catalogue.hpp"
#include "generators/urn03.hpp"

namespace tamboril::generators {

namespace {

class Urn06 final : public Generator {
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

std::unique_ptr<Generator> make_urn06() { return std::make_unique<Urn06>(); }

}  // namespace tamboril::generators
