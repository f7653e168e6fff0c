#include "generators/urn38.hpp"

#include "generators/catalogue.hpp"
#include "generators/state_lines.hpp"

namespace tamboril::generators {

namespace {

class Urn38 final : public Generator {
    void initialise(std::string_view /*name*/) override { core_.intin1 = 32767; }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override { print_intin1_line(console, core_.intin1); }

    Urn38Core core_;
};

}  // namespace

std::unique_ptr<Generator> make_urn38() { return std::make_unique<Urn38>(); }

}  // namespace tamboril::generators
