#include "tamboril/cores/urn21.hpp"

#include "generators/protocol.hpp"

namespace tamboril::generators {

namespace {

class Urn21 final : public Operation {
public:
    using Operation::Operation;

private:
    void initialise(std::string_view) override { core_.initialise(); }
    // Nothing is shown before the first sequence.
    void print_start(Console&) const override {}
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Colon; }
    void print_state(Console& console) const override {
        static const Template line("(' ',8X,' M1 =',I11,2X,' , M2 =',I11,2X,' , M3 =',I11)");
        console.write(line, {core_.m1, core_.m2, core_.m3});
    }

    Urn21Core core_;
};

}  // namespace

std::unique_ptr<Operation> make_urn21(std::string_view name) { return std::make_unique<Urn21>(name); }

}  // namespace tamboril::generators
