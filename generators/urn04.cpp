#include "generators/urn04.hpp"

#include <vector>

#include "generators/catalogue.hpp"

namespace tamboril::generators {

namespace {

class Urn04 final : public Generator {
    // No seed: IX and the table keep their zeros.
    void initialise(std::string_view) override {}
    bool generates() const override { return false; }
    void fill(std::span<float>) override {}
    Heading heading() const override { return Heading::Colon; }

    void print_state(Console& console) const override {
        static const Template table("(9X,'ITABLE=',/,9(14(1X,Z8),/),1X,Z8,1X,Z8)");
        print_ix_line(console, state_.ix);
        const std::vector<Item> entries(state_.itable.begin(), state_.itable.end());
        console.write(table, entries);
    }

    Urn04State state_;
};

}  // namespace

std::unique_ptr<Generator> make_urn04() { return std::make_unique<Urn04>(); }

}  // namespace tamboril::generators
