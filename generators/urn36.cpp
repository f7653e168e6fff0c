#include "tamboril/cores/urn36.hpp"

#include "generators/protocol.hpp"
#include "generators/state_lines.hpp"

namespace tamboril::generators {

namespace {

class Urn36 final : public Operation {
public:
    using Operation::Operation;

private:
    void initialise(std::string_view /*name*/) override { core_.initialise(); }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override { print_intin_lines(console, core_.intin); }

    Urn36Core core_;
};

}  // namespace

std::unique_ptr<Operation> make_urn36(std::string_view name) { return std::make_unique<Urn36>(name); }

}  // namespace tamboril::generators
