// Standard output of tamboril-stream: samples encoded into a large buffer and
// written whole.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "generators/protocol.hpp"
#include "stream/encode.hpp"
#include "stream/options.hpp"

namespace tamboril::stream {

inline constexpr std::size_t kOutputBufferBytes = std::size_t{1} << 20;

class Output final : public generators::SampleSink {
public:
    // `bits` below 32 packs the top bits of each u32 word (BitPacker).
    Output(int fd, Format format, std::size_t buffer_bytes = kOutputBufferBytes, int bits = kWholeWordBits);

    // Encodes the samples, writing the buffer out whenever it is full. A
    // failed write throws std::system_error with the write's errno.
    void put(std::span<const float> samples) override;
    // Writes out what is buffered (same errors).
    void flush();
    // The end of the stream: the last packed word, if one is begun, then
    // what is buffered (same errors).
    void finish();

private:
    int fd_;
    Format format_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    std::optional<BitPacker> packer_;  // u32 with fewer than 32 bits a sample
};

}  // namespace tamboril::stream
