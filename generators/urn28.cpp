#include "tamboril/cores/urn28.hpp"

#include "generators/protocol.hpp"

namespace tamboril::generators {

namespace {

class Urn28 final : public Operation {
public:
    using Operation::Operation;

private:
    void initialise(std::string_view) override { core_.initialise(); }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        static const Template line("(1X,'IX=',I20)");
        console.write(line, {core_.ix});
    }

    Urn28Core core_;
};

}  // namespace

std::unique_ptr<Operation> make_urn28(std::string_view name) { return std::make_unique<Urn28>(name); }

}  // namespace tamboril::generators
