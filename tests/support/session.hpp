// Calls a generator operation the way the run does, with the console kept in
// memory and the samples collected.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "generators/catalogue.hpp"
#include "generators/protocol.hpp"
#include "records/console.hpp"
#include "tests/support/console.hpp"

namespace tamboril::testing {

class GeneratorSession {
public:
    // The operation of a catalogue name, at the start of a run.
    explicit GeneratorSession(std::string_view name)
        : generator_(generators::catalogue_entry(generators::lookup_generator(name)).operation()) {}

    // One call with N, the first-call flag set as the sequence loop sets it;
    // returns the samples of this call.
    std::vector<float> call(std::int32_t n) {
        const std::size_t before = sink_.values.size();
        generator_->call({n, first_, console_, sink_});
        first_ = false;
        return {sink_.values.begin() + static_cast<std::ptrdiff_t>(before), sink_.values.end()};
    }

    // The console text and every sample of the calls so far.
    const std::string& out() const { return console_.output(); }
    const std::vector<float>& samples() const { return sink_.values; }

private:
    struct Collect final : generators::SampleSink {
        void put(std::span<const float> samples) override {
            values.insert(values.end(), samples.begin(), samples.end());
        }
        std::vector<float> values;
    };

    Collect sink_;
    std::unique_ptr<generators::Operation> generator_;
    records::Console console_ = memory_console();
    bool first_ = true;
};

}  // namespace tamboril::testing
