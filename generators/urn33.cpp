#include "tamboril/cores/urn33.hpp"

#include "generators/core_operation.hpp"

namespace tamboril::generators {

namespace {

class Urn33 final : public CoreOperation<Urn33Core, Urn33> {
public:
    using CoreOperation::CoreOperation;

private:
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        static const Template line("(1X,'XI=',G15.10)");
        console.write(line, {state().xi});
    }

};

}  // namespace

std::unique_ptr<Operation> make_urn33(std::string_view name) { return std::make_unique<Urn33>(name); }

}  // namespace tamboril::generators
