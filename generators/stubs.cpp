// URN07 and URN15 to URN19: each seeds IX, prints it before and after the
// report heading, and generates nothing; the run stops after the one call.
#include "generators/catalogue.hpp"

namespace tamboril::generators {

namespace {

class SeedOnly final : public Generator {
    void initialise(std::string_view name) override { ix_ = seed_ix(name); }
    bool generates() const override { return false; }
    void fill(std::span<float>) override {}
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override { print_ix_line(console, ix_); }

    std::int32_t ix_ = 0;
};

}  // namespace

std::unique_ptr<Generator> make_urn07() { return std::make_unique<SeedOnly>(); }
std::unique_ptr<Generator> make_urn15() { return std::make_unique<SeedOnly>(); }
std::unique_ptr<Generator> make_urn16() { return std::make_unique<SeedOnly>(); }
std::unique_ptr<Generator> make_urn17() { return std::make_unique<SeedOnly>(); }
std::unique_ptr<Generator> make_urn18() { return std::make_unique<SeedOnly>(); }
std::unique_ptr<Generator> make_urn19() { return std::make_unique<SeedOnly>(); }

}  // namespace tamboril::generators
