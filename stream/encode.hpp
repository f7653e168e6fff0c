// The three output formats of tamboril-stream, sample by sample.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "records/fast_fixed.hpp"
#include "stream/options.hpp"

namespace tamboril::stream {

static_assert(std::endian::native == std::endian::little, "the binary formats are written as in memory");

constexpr std::size_t bytes_per_sample(Format format) {
    return format == Format::Lines ? records::kDataRecordBytes : 4;
}

// floor(s 2^32) for a sample s in [0, 1), FFFFFFFF for 1.0. Every generator's
// samples lie in [0, 1]; below that range (and for a NaN) the word is 0, above
// it FFFFFFFF.
inline std::uint32_t u32_word(float s) {
    if (!(s > 0.0f)) return 0;
    if (s >= 1.0f) return 0xFFFFFFFFu;
    // s has 24 significant bits, so s 2^32 is exact; truncation is the floor.
    return static_cast<std::uint32_t>(static_cast<double>(s) * 4294967296.0);
}

// The top `bits` bits of each sample's u32 word, packed into a stream of
// bits, the first sample's most significant bit first, and cut into 32-bit
// words: word k holds bits 32k to 32k + 31 of that stream, bit 32k as its
// most significant bit. A generator whose values carry fewer than 32 bits
// then fills every bit of every word.
class BitPacker {
public:
    explicit BitPacker(int bits) : bits_(bits) {}

    // Adds one sample; writes a word at `out` when one is complete (at most
    // one, since a sample adds at most 32 bits). Returns the end.
    char* add(float s, char* out) {
        const std::uint64_t top = u32_word(s) >> (32 - bits_);
        pending_ = (pending_ << bits_) | top;
        held_ += bits_;
        if (held_ >= 32) {
            held_ -= 32;
            const auto word = static_cast<std::uint32_t>(pending_ >> held_);
            std::memcpy(out, &word, 4);
            out += 4;
            pending_ &= (std::uint64_t{1} << held_) - 1;
        }
        return out;
    }

    // Writes the bits still held, if any, as one last word completed with
    // zero bits. Returns the end.
    char* finish(char* out) {
        if (held_ == 0) return out;
        const auto word = static_cast<std::uint32_t>(pending_ << (32 - held_));
        std::memcpy(out, &word, 4);
        held_ = 0;
        pending_ = 0;
        return out + 4;
    }

private:
    int bits_;                   // 1 to 32
    std::uint64_t pending_ = 0;  // the low held_ bits are the stream's next bits
    int held_ = 0;               // 0 to 31 between samples
};

// Writes the samples in `format` at `out`, which has room for
// samples.size() * bytes_per_sample(format) bytes; returns the end.
inline char* encode(Format format, std::span<const float> samples, char* out) {
    switch (format) {
        case Format::Lines: return records::render_sample_records(samples, out);
        case Format::F32:
            std::memcpy(out, samples.data(), samples.size_bytes());
            return out + samples.size_bytes();
        case Format::U32:
            for (const float s : samples) {
                const std::uint32_t word = u32_word(s);
                std::memcpy(out, &word, 4);
                out += 4;
            }
            return out;
    }
    return out;
}

}  // namespace tamboril::stream
