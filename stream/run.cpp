#include "stream/run.hpp"

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

std::string catalogue_list() {
    std::string text;
    for (const auto& entry : generators::kCatalogue) {
        if (entry.action != generators::Action::Fill) continue;
        text.append(entry.short_name()).append("  ").append(entry.description).append("\n");
    }
    return text;
}

void stream_samples(const Options& options, int out) {
    std::unique_ptr<generators::Operation> generator = generators::make_operation(options.name);
    Output output(out, options.format, kOutputBufferBytes, options.bits);
    std::optional<std::uint64_t> left = options.count;
    while (!left || *left > 0) {
        const std::int32_t n = next_call_size(left, options.sequence);
        generator->generate(n, output);
        if (left) *left -= static_cast<std::uint64_t>(n);
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
