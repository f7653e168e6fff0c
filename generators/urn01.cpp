#include "tamboril/cores/urn01.hpp"

#include "generators/protocol.hpp"

namespace tamboril::generators {

namespace {

class Urn01 final : public Operation {
public:
    using Operation::Operation;

private:
    void initialise(std::string_view name) override { core_.ix = seed_ix(name); }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Parenthesised; }
    void print_state(Console& console) const override { print_ix_line(console, core_.ix); }

    Urn01Core core_;
};

}  // namespace

std::unique_ptr<Operation> make_urn01(std::string_view name) { return std::make_unique<Urn01>(name); }

}  // namespace tamboril::generators
