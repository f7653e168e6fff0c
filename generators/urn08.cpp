#include "tamboril/cores/urn08.hpp"

#include "generators/protocol.hpp"

namespace tamboril::generators {

namespace {

class Urn08 final : public Operation {
public:
    using Operation::Operation;

private:
    void initialise(std::string_view name) override { core_.ix = seed_ix(name); }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override { print_ix_line(console, core_.ix); }

    Urn08Core core_;
};

}  // namespace

std::unique_ptr<Operation> make_urn08(std::string_view name) { return std::make_unique<Urn08>(name); }

}  // namespace tamboril::generators
