// The command line of tamboril-stream.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tamboril::stream {

enum class Format {
    Lines,  // the data-file lines: "(F11.10)" and CR LF, 13 bytes a sample
    F32,    // little-endian IEEE binary32, 4 bytes a sample
    U32,    // little-endian floor(s 2^32), 1.0 as FFFFFFFF, 4 bytes a sample
};

inline constexpr std::int32_t kDefaultSequence = 10000;
// Bits of each sample in the u32 format: 32 is one whole word per sample.
inline constexpr int kWholeWordBits = 32;

struct Options {
    enum class Action { Stream, List, Help };
    Action action = Action::Stream;
    std::string name;                    // the generator, as typed
    std::optional<std::uint64_t> count;  // samples to write; none: until the reader leaves
    std::optional<std::uint64_t> seed;   // in place of the run's own starting value
    std::uint64_t skip = 0;              // samples passed over before the first written
    std::int32_t sequence = kDefaultSequence;  // N of each call
    Format format = Format::Lines;
    // u32 only: with fewer than 32, the top `bits` bits of each sample's
    // word, packed one sample after another into 32-bit words.
    int bits = kWholeWordBits;
};

// A command line that cannot be followed; the message is one line.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The options of the arguments after the program name. Throws UsageError.
Options parse_options(std::span<const std::string_view> args);

// The usage text, several lines, each ended by a line feed.
std::string_view usage();

}  // namespace tamboril::stream
