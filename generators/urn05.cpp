#include "tamboril/cores/urn05.hpp"

#include <vector>

#include "generators/protocol.hpp"

namespace tamboril::generators {

namespace {

class Urn05 final : public Operation {
public:
    using Operation::Operation;

private:
    void initialise(std::string_view) override { core_.initialise(); }
    void begin_call() override { core_.begin_call(); }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Plain; }

    void print_state(Console& console) const override {
        static const Template sizes(
            "(' ',8X,'P=',I11,'   Q=',I11,'   INTSIZ=',I11,'   JJ=',I11)");
        static const Template words("(9X,'MFSR=',/,9(10(1X,I11),/),8(1X,I11))");
        console.write(sizes, {core_.p, core_.q, core_.intsiz, core_.jj});
        const std::vector<Item> entries(core_.mfsr.begin(), core_.mfsr.end());
        console.write(words, entries);
    }

    Urn05Core core_;
};

}  // namespace

std::unique_ptr<Operation> make_urn05(std::string_view name) { return std::make_unique<Urn05>(name); }

}  // namespace tamboril::generators
