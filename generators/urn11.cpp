#include "generators/urn11.hpp"

#include "generators/catalogue.hpp"

namespace tamboril::generators {

namespace {

class Urn11 final : public Generator {
    void initialise(std::string_view) override { core_.initialise(); }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        static const Template line(
            "(' ',8X,'IX=',I11,'   L=',I11,'   C=',F15.1,'   ZZ=',F15.1)");
        console.write(line, {core_.ix, core_.l, core_.c, core_.zz});
    }

    Urn11Core core_;
};

}  // namespace

std::unique_ptr<Generator> make_urn11() { return std::make_unique<Urn11>(); }

}  // namespace tamboril::generators
