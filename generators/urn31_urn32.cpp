#include "generators/urn31_urn32.hpp"

#include "generators/catalogue.hpp"

namespace tamboril::generators {

namespace {

class Urn31Urn32 final : public Generator {
public:
    explicit Urn31Urn32(const PowerOfTwoConstants& constants) : core_{constants} {}

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

std::unique_ptr<Generator> make_urn31() { return std::make_unique<Urn31Urn32>(kUrn31Constants); }
std::unique_ptr<Generator> make_urn32() { return std::make_unique<Urn31Urn32>(kUrn32Constants); }

}  // namespace tamboril::generators
