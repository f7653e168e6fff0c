#include "tamboril/cores/urn13.hpp"

#include "generators/protocol.hpp"
#include "generators/state_lines.hpp"

namespace tamboril::generators {

namespace {

class Urn13 final : public Operation {
public:
    using Operation::Operation;

private:
    void initialise(std::string_view) override { core_.initialise(); }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override { print_intin_lines(console, core_.intin); }

    Urn13Core core_;
};

}  // namespace

std::unique_ptr<Operation> make_urn13(std::string_view name) { return std::make_unique<Urn13>(name); }

}  // namespace tamboril::generators
