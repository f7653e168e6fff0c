#include "generators/urn33.hpp"

#include "generators/catalogue.hpp"

namespace tamboril::generators {

namespace {

class Urn33 final : public Generator {
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

std::unique_ptr<Generator> make_urn33() { return std::make_unique<Urn33>(); }

}  // namespace tamboril::generators
