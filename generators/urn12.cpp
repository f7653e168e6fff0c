#include "tamboril/cores/urn12.hpp"

#include "generators/protocol.hpp"

namespace tamboril::generators {

namespace {

class Urn12 final : public Operation {
public:
    using Operation::Operation;

private:
    void initialise(std::string_view) override { core_.initialise(); }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        static const Template line(
            "(9X,'IX=',I11,'   L=',I11,'   C2=',F15.1,'   ZZ2=',F15.1)");
        console.write(line, {core_.ix, core_.l, core_.c2, core_.zz2});
    }

    Urn12Core core_;
};

}  // namespace

std::unique_ptr<Operation> make_urn12(std::string_view name) { return std::make_unique<Urn12>(name); }

}  // namespace tamboril::generators
