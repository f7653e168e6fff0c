#include "tamboril/cores/urn31_urn32.hpp"

#include "generators/core_operation.hpp"

namespace tamboril::generators {

namespace {

template <class Core>
class PowerOfTwo final : public CoreOperation<Core, PowerOfTwo<Core>> {
public:
    using CoreOperation<Core, PowerOfTwo<Core>>::CoreOperation;

private:
    Heading heading() const override { return Heading::Plain; }
    void print_state(Console& console) const override {
        static const Template line("(1X,'IXX=',I20)");
        console.write(line, {this->state().ixx});
    }
};

}  // namespace

std::unique_ptr<Operation> make_urn31(std::string_view name) { return std::make_unique<PowerOfTwo<Urn31Core>>(name); }
std::unique_ptr<Operation> make_urn32(std::string_view name) { return std::make_unique<PowerOfTwo<Urn32Core>>(name); }

}  // namespace tamboril::generators
