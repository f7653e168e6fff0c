#include "generators/urn09.hpp"

#include "generators/catalogue.hpp"

namespace tamboril::generators {

namespace {

class Urn09 final : public Generator {
    void initialise(std::string_view name) override { core_.ix = seed_ix(name); }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override { print_ix_line(console, core_.ix); }

    Urn09Core core_;
};

}  // namespace

std::unique_ptr<Generator> make_urn09() { return std::make_unique<Urn09>(); }

}  // namespace tamboril::generators
