#include "generators/urn28.hpp"

#include "generators/catalogue.hpp"

namespace tamboril::generators {

namespace {

class Urn28 final : public Generator {
    void initialise(std::string_view) override { core_.initialise(); }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        static const Template line("(1X,'IX=',I20)");
        console.write(line, {core_.ix});
    }

    Urn28Core core_;
};

}  // namespace

std::unique_ptr<Generator> make_urn28() { return std::make_unique<Urn28>(); }

}  // namespace tamboril::generators
