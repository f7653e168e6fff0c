// A generator operation around an arithmetic core: the calls of the program
// and the library run the core's own steps, and the library's seed,
// discard, saved state and copy are the core's.
#pragma once

#include <cstdint>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "generators/protocol.hpp"
#include "records/message_text.hpp"
#include "tamboril/engine.hpp"

namespace tamboril::generators {

// std::invalid_argument unless per_call is 1 or more.
std::int32_t checked_per_call(std::int32_t per_call);

// "the saved state ... of NAME" for text that restore() cannot read.
[[noreturn]] void refuse_saved_state(const std::string& name, std::string_view text);

// `Derived` is the generator's own operation, with its console lines.
template <class Core, class Derived>
class CoreOperation : public Operation {
public:
    using Operation::Operation;

    int bits() const override { return Core::bits; }
    bool cut_dependent() const override { return CutDependentCore<Core>; }
    SeedRange seed_range() const override { return Core::seed_range; }

    void seed(std::uint64_t v) override {
        core_.seed(v);
        mark_started();
    }

    void discard(std::uint64_t n, std::int32_t per_call) override {
        checked_per_call(per_call);
        start_once();
        if constexpr (CutDependentCore<Core>) {
            core_.discard(n, per_call);
        } else {
            core_.discard(n);
        }
    }

    std::string save() const override {
        std::ostringstream text;
        text << name() << ' ' << core_;
        return text.str();
    }

    void restore(std::string_view text) override {
        std::istringstream in{std::string(text)};
        std::string name_read;
        Core read = core_;
        if (!(in >> name_read) || name_read != name() || !(in >> read) || !(in >> std::ws).eof()) {
            refuse_saved_state(name(), text);
        }
        core_ = read;
        mark_started();
    }

    std::unique_ptr<Generator> clone() const override {
        return std::make_unique<Derived>(static_cast<const Derived&>(*this));
    }

protected:
    void initialise(std::string_view /*name*/) override { core_ = Core::start(); }
    void begin_call() override { ProgramAccess::begin_call(core_); }
    void fill(std::span<float> out) override { ProgramAccess::fill(core_, out); }
    void end_call(std::int32_t n) override { ProgramAccess::end_call(core_, n); }

    auto& state() { return ProgramAccess::state(core_); }
    const auto& state() const { return ProgramAccess::state(core_); }

    Core core_;
};

}  // namespace tamboril::generators
