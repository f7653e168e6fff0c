#include "tamboril/cores/urn33.hpp"

#include "generators/protocol.hpp"

namespace tamboril::generators {

namespace {

class Urn33 final : public Operation {
public:
    using Operation::Operation;

private:
    void initialise(std::string_view /*name*/) override { core_.xi = 12345678.0f; }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        static const Template line("(1X,'XI=',G15.10)");
        console.write(line, {core_.xi});
    }

    Urn33Core core_;
};

}  // namespace

std::unique_ptr<Operation> make_urn33(std::string_view name) { return std::make_unique<Urn33>(name); }

}  // namespace tamboril::generators
