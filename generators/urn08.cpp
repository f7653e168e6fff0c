#include "generators/urn08.hpp"

#include "generators/catalogue.hpp"

namespace tamboril::generators {

namespace {

class Urn08 final : public Generator {
    void initialise(std::string_view name) override {
        core_.ix = seed_ix(name);
        core_.ix = 0x7FFFF;
    }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override { print_ix_line(console, core_.ix); }

    Urn08Core core_;
};

}  // namespace

std::unique_ptr<Generator> make_urn08() { return std::make_unique<Urn08>(); }

}  // namespace tamboril::generators
