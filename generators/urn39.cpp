#include "tamboril/cores/urn39.hpp"

#include "generators/protocol.hpp"

namespace tamboril::generators {

namespace {

class Urn39 final : public Operation {
public:
    using Operation::Operation;

private:
    void initialise(std::string_view /*name*/) override { core_.initialise(); }
    void begin_call() override { core_.begin_call(); }
    void fill(std::span<float> out) override { core_.fill(out); }
    void end_call(std::int32_t n) override { core_.end_call(n); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        static const Template lines("(1X,'SEED=',D15.10,/,1X,'ITOTAL39 =',I20)");
        console.write(lines, {core_.seed, core_.itotal39()});
    }

    Urn39Core core_;
};

}  // namespace

std::unique_ptr<Operation> make_urn39(std::string_view name) { return std::make_unique<Urn39>(name); }

}  // namespace tamboril::generators
