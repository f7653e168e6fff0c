#include "tamboril/cores/urn34.hpp"

#include "generators/protocol.hpp"
#include "generators/state_lines.hpp"

namespace tamboril::generators {

namespace {

class Urn34 final : public Operation {
public:
    using Operation::Operation;

private:
    void initialise(std::string_view /*name*/) override { core_.initialise(); }
    void begin_call() override { core_.prime(); }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        print_kw_lines(console, core_.kw, core_.ky, core_.kz, core_.xr);
    }

    Urn34Core core_;
};

}  // namespace

std::unique_ptr<Operation> make_urn34(std::string_view name) { return std::make_unique<Urn34>(name); }

}  // namespace tamboril::generators
