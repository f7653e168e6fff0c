#include "tamboril/cores/urn38.hpp"

#include "generators/protocol.hpp"
#include "generators/state_lines.hpp"

namespace tamboril::generators {

namespace {

class Urn38 final : public Operation {
public:
    using Operation::Operation;

private:
    void initialise(std::string_view /*name*/) override { core_.intin1 = 32767; }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override { print_intin1_line(console, core_.intin1); }

    Urn38Core core_;
};

}  // namespace

std::unique_ptr<Operation> make_urn38(std::string_view name) { return std::make_unique<Urn38>(name); }

}  // namespace tamboril::generators
