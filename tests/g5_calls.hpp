// Calls a generator operation the way the run does, with the console kept in
// memory and the samples collected.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "generators/protocol.hpp"
#include "records/console.hpp"
#include "records/input.hpp"

namespace tamboril::testing {

class GeneratorSession {
public:
    GeneratorSession(std::unique_ptr<generators::Generator> generator, std::string_view name8)
        : generator_(std::move(generator)), name_(name8) {}

    // One call with N; returns its samples.
    std::vector<float> call(std::int32_t n) {
        Collect sink;
        generator_->call({n, first_call_, name_, console_, sink});
        first_call_ = 1;
        return sink.values;
    }

    const std::string& console_text() const { return console_.output(); }

private:
    struct Collect final : generators::SampleSink {
        void put(std::span<const float> samples) override {
            values.insert(values.end(), samples.begin(), samples.end());
        }
        std::vector<float> values;
    };

    std::unique_ptr<generators::Generator> generator_;
    std::string name_;
    records::Console console_{std::make_unique<records::TextLineSource>(""), -1, false};
    std::int32_t first_call_ = 0;
};

}  // namespace tamboril::testing
