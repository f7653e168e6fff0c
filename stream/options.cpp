#include "stream/options.hpp"

#include <charconv>
#include <limits>
#include <system_error>

#include "records/message_text.hpp"

namespace tamboril::stream {

namespace {

// A whole decimal number from 0 to `limit`: digits only, no sign, no blanks.
std::uint64_t parse_number(std::string_view option, std::string_view text, std::uint64_t lowest,
                           std::uint64_t limit) {
    std::uint64_t value = 0;
    const char* const end = text.data() + text.size();
    const bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (!digits || stop != end || error == std::errc::invalid_argument) {
        throw UsageError(std::string(option) + " needs a whole number, not \"" + records::shown(text) + "\"");
    }
    if (error == std::errc::result_out_of_range || value < lowest || value > limit) {
        throw UsageError(std::string(option) + " must lie between " + std::to_string(lowest) + " and " +
                         std::to_string(limit) + ", not " + records::shown(text));
    }
    return value;
}

Format parse_format(std::string_view text) {
    if (text == "lines") return Format::Lines;
    if (text == "f32") return Format::F32;
    if (text == "u32") return Format::U32;
    throw UsageError("--format must be lines, f32 or u32, not \"" + records::shown(text) + "\"");
}

}  // namespace

Options parse_options(std::span<const std::string_view> args) {
    Options options;
    // Help wins over everything else on the line.
    for (const std::string_view arg : args) {
        if (arg == "--help" || arg == "-h") {
            options.action = Options::Action::Help;
            return options;
        }
    }
    bool named = false;
    bool list = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--list") {
            list = true;
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-') {
            // --option VALUE or --option=VALUE
            std::string_view option = arg;
            std::string_view value;
            bool has_value = false;
            if (const auto equals = arg.find('='); equals != std::string_view::npos) {
                option = arg.substr(0, equals);
                value = arg.substr(equals + 1);
                has_value = true;
            }
            if (option != "--count" && option != "--sequence" && option != "--format" && option != "--bits" &&
                option != "--seed" && option != "--skip") {
                throw UsageError("unknown option \"" + records::shown(option) + "\" (see --help)");
            }
            if (!has_value) {
                if (i + 1 == args.size()) throw UsageError(std::string(option) + " needs a value");
                value = args[++i];
            }
            if (option == "--count") {
                options.count = parse_number(option, value, 0, std::numeric_limits<std::uint64_t>::max());
            } else if (option == "--seed") {
                options.seed = parse_number(option, value, 0, std::numeric_limits<std::uint64_t>::max());
            } else if (option == "--skip") {
                options.skip = parse_number(option, value, 0, std::numeric_limits<std::uint64_t>::max());
            } else if (option == "--sequence") {
                options.sequence = static_cast<std::int32_t>(
                    parse_number(option, value, 1, std::numeric_limits<std::int32_t>::max()));
            } else if (option == "--bits") {
                options.bits = static_cast<int>(parse_number(option, value, 1, kWholeWordBits));
            } else {
                options.format = parse_format(value);
            }
            continue;
        }
        if (named) throw UsageError("one generator name only, not also \"" + records::shown(arg) + "\"");
        options.name = std::string(arg);
        named = true;
    }
    if (list) {
        if (named) throw UsageError("--list takes no generator name");
        options.action = Options::Action::List;
        return options;
    }
    if (!named) throw UsageError("no generator name (see --help; --list shows the names)");
    if (options.bits != kWholeWordBits && options.format != Format::U32) {
        throw UsageError("--bits " + std::to_string(options.bits) + " needs --format u32");
    }
    return options;
}

std::string_view usage() {
    return "usage: tamboril-stream NAME [--seed V] [--skip K] [--count C] [--sequence N]\n"
           "                              [--format lines|f32|u32] [--bits B]\n"
           "       tamboril-stream --list\n"
           "       tamboril-stream --help\n"
           "\n"
           "Writes the values of generator NAME to standard output, from the starting\n"
           "state of a run, until C values are written or the reader closes the pipe.\n"
           "\n"
           "  --seed V       start from the seed V instead of the run's own starting\n"
           "                 value: V takes the place of the variable that --list\n"
           "                 names, within the range it gives\n"
           "  --skip K       pass over the first K values (0 to 18446744073709551615):\n"
           "                 the output is what follows them in the stream without\n"
           "                 --skip, cut into calls in the same way\n"
           "  --count C      write C values (0 to 18446744073709551615); without it the\n"
           "                 stream goes on until the reader stops reading\n"
           "  --sequence N   values per call of the generator, 1 to 2147483647 (default\n"
           "                 10000); it changes the values of URN30 and URN34 only\n"
           "  --format F     lines: the data-file lines, \"(F11.10)\" and CR LF (default)\n"
           "                 f32:   each value as a little-endian IEEE binary32\n"
           "                 u32:   each value s as the little-endian 32-bit word\n"
           "                        floor(s * 2^32), 1.0 as FFFFFFFF\n"
           "  --bits B       with u32, 1 to 32 (default 32, one word per value): only\n"
           "                 the top B bits of each value's word, packed one value\n"
           "                 after another, most significant bit first, into 32-bit\n"
           "                 little-endian words; a last word that is not full is\n"
           "                 completed with zero bits\n"
           "  --list         the generators that produce values, one a line: the\n"
           "                 name, B (the bits of each value that are uniform, for\n"
           "                 --bits), a description and the seed's variable and range\n"
           "  --help         this text\n"
           "\n"
           "Exit status: 0 done or the reader closed the pipe; 1 standard output\n"
           "cannot be written; 2 a bad name, option, number or seed.\n";
}

}  // namespace tamboril::stream
