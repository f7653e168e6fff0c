#include "tamboril/cores/urn14.hpp"

#include "generators/protocol.hpp"

namespace tamboril::generators {

namespace {

class Urn14 final : public Operation {
public:
    using Operation::Operation;

private:
    void initialise(std::string_view) override { core_.initialise(); }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        static const Template line("(' ',8X,'IX=',I11,'   JX=',I11)");
        console.write(line, {core_.ix, core_.jx});
    }

    Urn14Core core_;
};

}  // namespace

std::unique_ptr<Operation> make_urn14(std::string_view name) { return std::make_unique<Urn14>(name); }

}  // namespace tamboril::generators
