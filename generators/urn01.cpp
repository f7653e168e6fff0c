#include "generators/urn01.hpp"

#include "generators/catalogue.hpp"

namespace tamboril::generators {

namespace {

class Urn01 final : public Generator {
    void initialise(std::string_view name) override { core_.ix = seed_ix(name); }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Parenthesised; }
    void print_state(Console& console) const override { print_ix_line(console, core_.ix); }

    Urn01Core core_;
};

}  // namespace

std::unique_ptr<Generator> make_urn01() { return std::make_unique<Urn01>(); }

}  // namespace tamboril::generators
