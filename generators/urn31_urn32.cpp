#include "tamboril/cores/urn31_urn32.hpp"

#include "generators/protocol.hpp"

namespace tamboril::generators {

namespace {

class Urn31Urn32 final : public Operation {
public:
    Urn31Urn32(std::string_view name, const PowerOfTwoConstants& constants)
        : Operation(name), core_{constants} {}

private:
    void initialise(std::string_view /*name*/) override { core_.ixx = 1234567; }
    void fill(std::span<float> out) override { core_.fill(out); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        static const Template line("(1X,'IXX=',I20)");
        console.write(line, {core_.ixx});
    }

    Urn31Urn32Core core_;
};

}  // namespace

std::unique_ptr<Operation> make_urn31(std::string_view name) {
    return std::make_unique<Urn31Urn32>(name, kUrn31Constants);
}
std::unique_ptr<Operation> make_urn32(std::string_view name) {
    return std::make_unique<Urn31Urn32>(name, kUrn32Constants);
}

}  // namespace tamboril::generators
