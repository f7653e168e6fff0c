#include "tamboril/cores/urn22.hpp"

#include "generators/protocol.hpp"

namespace tamboril::generators {

namespace {

class Urn22 final : public Operation {
public:
    using Operation::Operation;

private:
    void initialise(std::string_view) override { core_.initialise(); }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Plain; }
    // D15.0 shows only the decimal exponent of M1.
    void print_state(Console& console) const override {
        static const Template line("(' ',8X,'M1=',D15.0)");
        console.write(line, {core_.m1});
    }

    Urn22Core core_;
};

}  // namespace

std::unique_ptr<Operation> make_urn22(std::string_view name) { return std::make_unique<Urn22>(name); }

}  // namespace tamboril::generators
