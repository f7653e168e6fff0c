#include "generators/urn36.hpp"

#include "generators/catalogue.hpp"

namespace tamboril::generators {

namespace {

class Urn36 final : public Generator {
    void initialise(std::string_view /*name*/) override { core_.start(); }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        static const Template lines(
            "(1X,'INTIN(1)=',I15,5X,'INTIN(2)=',I15,/,1X,'INTIN(3)=',I15,5X,'INTIN(4)=',I15,/,"
            "1X,'INTIN(5)=',I15)");
        const auto& intin = core_.intin;
        console.write(lines, {intin[0], intin[1], intin[2], intin[3], intin[4]});
    }

    Urn36Core core_;
};

}  // namespace

std::unique_ptr<Generator> make_urn36() { return std::make_unique<Urn36>(); }

}  // namespace tamboril::generators
