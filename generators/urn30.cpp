#include "tamboril/cores/urn30.hpp"

#include "generators/protocol.hpp"

namespace tamboril::generators {

namespace {

class Urn30 final : public Operation {
public:
    using Operation::Operation;

private:
    void initialise(std::string_view) override { core_.initialise(); }
    void begin_call() override { core_.begin_call(); }
    void fill(std::span<float> out) override { core_.fill(out); }
    void end_call(std::int32_t) override { core_.end_call(); }
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        static const Template line("(1X,'ISTRM=',I20,5X,'IZ=',I20)");
        console.write(line, {core_.istrm, core_.iz});
    }

    Urn30Core core_;
};

}  // namespace

std::unique_ptr<Operation> make_urn30(std::string_view name) { return std::make_unique<Urn30>(name); }

}  // namespace tamboril::generators
