#include "stream/output.hpp"

#include <algorithm>
#include <string_view>
#include <system_error>

#include "records/fd_io.hpp"

namespace tamboril::stream {

Output::Output(int fd, Format format, std::size_t buffer_bytes, int bits)
    : fd_(fd), format_(format), buffer_(std::max(buffer_bytes, bytes_per_sample(format))) {
    if (format == Format::U32 && bits < kWholeWordBits) packer_.emplace(bits);
}

void Output::put(std::span<const float> samples) {
    const std::size_t width = bytes_per_sample(format_);
    while (!samples.empty()) {
        std::size_t room = (buffer_.size() - used_) / width;
        if (room == 0) {
            flush();
            room = buffer_.size() / width;
        }
        // A packed sample takes at most one word, so the room suffices too.
        const std::size_t count = std::min(room, samples.size());
        char* end = buffer_.data() + used_;
        if (packer_) {
            for (const float s : samples.first(count)) end = packer_->add(s, end);
        } else {
            end = encode(format_, samples.first(count), end);
        }
        used_ = static_cast<std::size_t>(end - buffer_.data());
        samples = samples.subspan(count);
    }
}

void Output::finish() {
    if (packer_) {
        if (buffer_.size() - used_ < 4) flush();
        used_ = static_cast<std::size_t>(packer_->finish(buffer_.data() + used_) - buffer_.data());
    }
    flush();
}

void Output::flush() {
    if (used_ == 0) return;
    const int error = records::write_all(fd_, std::string_view(buffer_.data(), used_));
    used_ = 0;
    if (error != 0) throw std::system_error(error, std::generic_category(), "cannot write to standard output");
}

}  // namespace tamboril::stream
