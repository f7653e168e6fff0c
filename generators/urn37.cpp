#include "tamboril/cores/urn37.hpp"

#include "generators/protocol.hpp"
#include "generators/state_lines.hpp"

namespace tamboril::generators {

namespace {

class Urn37 final : public Operation {
public:
    using Operation::Operation;

private:
    void initialise(std::string_view /*name*/) override { core_.intin1 = 32767; }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override { print_intin1_line(console, core_.intin1); }

    Urn37Core core_;
};

}  // namespace

std::unique_ptr<Operation> make_urn37(std::string_view name) { return std::make_unique<Urn37>(name); }

}  // namespace tamboril::generators
