#include "tamboril/cores/urn11.hpp"

#include "generators/protocol.hpp"

namespace tamboril::generators {

namespace {

class Urn11 final : public Operation {
public:
    using Operation::Operation;

private:
    void initialise(std::string_view) override { core_.initialise(); }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        static const Template line(
            "(' ',8X,'IX=',I11,'   L=',I11,'   C=',F15.1,'   ZZ=',F15.1)");
        console.write(line, {core_.ix, core_.l, core_.c, core_.zz});
    }

    Urn11Core core_;
};

}  // namespace

std::unique_ptr<Operation> make_urn11(std::string_view name) { return std::make_unique<Urn11>(name); }

}  // namespace tamboril::generators
