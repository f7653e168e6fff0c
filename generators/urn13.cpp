#include "generators/urn13.hpp"

#include "generators/catalogue.hpp"

namespace tamboril::generators {

namespace {

class Urn13 final : public Generator {
    void initialise(std::string_view) override { core_.initialise(); }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        static const Template lines(
            "(1X,'INTIN(1)=',I15,5X,'INTIN(2)=',I15,/,1X,'INTIN(3)=',I15,5X,'INTIN(4)=',I15,/,"
            "1X,'INTIN(5)=',I15)");
        const auto& v = core_.intin;
        console.write(lines, {v[0], v[1], v[2], v[3], v[4]});
    }

    Urn13Core core_;
};

}  // namespace

std::unique_ptr<Generator> make_urn13() { return std::make_unique<Urn13>(); }

}  // namespace tamboril::generators
