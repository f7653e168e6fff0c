#include "stream/run.hpp"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>

#include "generators/catalogue.hpp"
#include "generators/library.hpp"
#include "records/fd_io.hpp"
#include "records/message_text.hpp"
#include "stream/output.hpp"

namespace tamboril::stream {

namespace {

// One line on standard error; control characters of a typed name (a newline
// among them) are shown as '?'.
void report(int err, std::string_view message) {
    const std::string line = "tamboril-stream: " + records::shown(message) + "\n";
    // Nothing more can be done when standard error fails as well.
    (void)records::write_all(err, line);
}

void write_text(int out, std::string_view text) {
    const int error = records::write_all(out, text);
    if (error != 0) throw std::system_error(error, std::generic_category(), "cannot write to standard output");
}

// "URN01  24  16807 X mod ... (seed IX, 1 to 2147483646)": the name, B and
// the description, for reading by eye and by scripts alike.
std::string catalogue_list() {
    std::string text;
    for (const auto& entry : generators::kCatalogue) {
        if (entry.action != generators::Action::Fill) continue;
        const SeedRange& seed = entry.seed;
        text.append(entry.short_name()).append(entry.bits < 10 ? "   " : "  ").append(std::to_string(entry.bits));
        text.append("  ").append(entry.description).append(" (seed ").append(seed.variable).append(", ");
        text.append(std::to_string(seed.low)).append(" to ").append(std::to_string(seed.high)).append(")\n");
    }
    return text;
}

// The samples of a call after the first `drop` of them.
class Dropping final : public generators::SampleSink {
public:
    Dropping(generators::SampleSink& sink, std::uint64_t drop) : sink_(sink), drop_(drop) {}
    void put(std::span<const float> samples) override {
        const auto dropped = static_cast<std::size_t>(std::min<std::uint64_t>(drop_, samples.size()));
        drop_ -= dropped;
        if (dropped < samples.size()) sink_.put(samples.subspan(dropped));
    }

private:
    generators::SampleSink& sink_;
    std::uint64_t drop_;
};

void stream_samples(const Options& options, int out) {
    std::unique_ptr<generators::Operation> generator = generators::make_operation(options.name);
    if (options.seed) generator->seed(*options.seed);
    // Whole calls are skipped at once; the call that holds the first value
    // written is made whole, its first values dropped.
    const auto sequence = static_cast<std::uint64_t>(options.sequence);
    std::uint64_t drop = options.skip % sequence;
    generator->discard(options.skip - drop, options.sequence);
    Output output(out, options.format, kOutputBufferBytes, options.bits);
    std::optional<std::uint64_t> left = options.count;
    while (!left || *left > 0) {
        // The values of this call, dropped ones included (at most a sequence).
        std::optional<std::uint64_t> wanted = left;
        if (wanted) wanted = *wanted > sequence ? sequence : *wanted + drop;
        const std::int32_t n = next_call_size(wanted, options.sequence);
        Dropping sink(output, drop);
        generator->generate(n, sink);
        if (left) *left -= static_cast<std::uint64_t>(n) - drop;
        drop = 0;
    }
    output.finish();
}

}  // namespace

std::int32_t next_call_size(std::optional<std::uint64_t> left, std::int32_t sequence) {
    if (left && *left < static_cast<std::uint64_t>(sequence)) return static_cast<std::int32_t>(*left);
    return sequence;
}

int run(const Options& options, int out, int err) {
    try {
        switch (options.action) {
            case Options::Action::Help: write_text(out, usage()); break;
            case Options::Action::List: write_text(out, catalogue_list()); break;
            case Options::Action::Stream: stream_samples(options, out); break;
        }
    } catch (const std::invalid_argument& bad_name) {
        report(err, bad_name.what());
        return kExitUsage;
    } catch (const std::system_error& failed) {
        // The reader went away: the stream has ended as asked.
        if (failed.code().value() == EPIPE) return kExitDone;
        report(err, failed.what());
        return kExitWriteFailed;
    }
    return kExitDone;
}

}  // namespace tamboril::stream
