#include "generators/urn34.hpp"

#include "generators/catalogue.hpp"

namespace tamboril::generators {

namespace {

class Urn34 final : public Generator {
    void initialise(std::string_view /*name*/) override { core_.start(); }
    void begin_call() override { core_.prime(); }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        static const Template lines("(1X,'KW=',I15,3X,'KY=',I15,3X,'KZ=',I15,3X,/,1X,'XR=',F12.10)");
        console.write(lines, {core_.kw, core_.ky, core_.kz, core_.xr});
    }

    Urn34Core core_;
};

}  // namespace

std::unique_ptr<Generator> make_urn34() { return std::make_unique<Urn34>(); }

}  // namespace tamboril::generators
