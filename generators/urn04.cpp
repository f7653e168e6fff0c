#include <array>
#include <cstdint>
#include <vector>

#include "generators/protocol.hpp"

namespace tamboril::generators {

namespace {

// URN04: a generator slot that prints IX and a 128-entry table ITABLE but
// generates nothing. Neither is ever assigned, so both hold zeros.
struct Urn04State {
    std::int32_t ix = 0;
    std::array<std::int32_t, 128> itable{};
};

class Urn04 final : public Operation {
public:
    using Operation::Operation;

private:
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

std::unique_ptr<Operation> make_urn04(std::string_view name) { return std::make_unique<Urn04>(name); }

}  // namespace tamboril::generators
