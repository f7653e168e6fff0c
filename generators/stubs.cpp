// URN07 and URN15 to URN19: each seeds IX, prints it before and after the
// report heading, and generates nothing; the run stops after the one call.
#include "generators/protocol.hpp"

namespace tamboril::generators {

namespace {

class SeedOnly final : public Operation {
public:
    using Operation::Operation;

private:
    void initialise(std::string_view name) override { ix_ = seed_ix(name); }
    bool generates() const override { return false; }
    void fill(std::span<float>) override {}
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override { print_ix_line(console, ix_); }

    std::int32_t ix_ = 0;
};

}  // namespace

std::unique_ptr<Operation> make_urn07(std::string_view name) { return std::make_unique<SeedOnly>(name); }
std::unique_ptr<Operation> make_urn15(std::string_view name) { return std::make_unique<SeedOnly>(name); }
std::unique_ptr<Operation> make_urn16(std::string_view name) { return std::make_unique<SeedOnly>(name); }
std::unique_ptr<Operation> make_urn17(std::string_view name) { return std::make_unique<SeedOnly>(name); }
std::unique_ptr<Operation> make_urn18(std::string_view name) { return std::make_unique<SeedOnly>(name); }
std::unique_ptr<Operation> make_urn19(std::string_view name) { return std::make_unique<SeedOnly>(name); }

}  // namespace tamboril::generators
