#include "stream/output.hpp"

#include <algorithm>
#include <string_view>
#include <system_error>

#include "records/fd_io.hpp"
#include "stream/encode.hpp"

namespace tamboril::stream {

Output::Output(int fd, Format format, std::size_t buffer_bytes)
    : fd_(fd), format_(format), buffer_(std::max(buffer_bytes, bytes_per_sample(format))) {}

void Output::put(std::span<const float> samples) {
    const std::size_t width = bytes_per_sample(format_);
    while (!samples.empty()) {
        std::size_t room = (buffer_.size() - used_) / width;
        if (room == 0) {
            flush();
            room = buffer_.size() / width;
        }
        const std::size_t count = std::min(room, samples.size());
        char* const end = encode(format_, samples.first(count), buffer_.data() + used_);
        used_ = static_cast<std::size_t>(end - buffer_.data());
        samples = samples.subspan(count);
    }
}

void Output::flush() {
    if (used_ == 0) return;
    const int error = records::write_all(fd_, std::string_view(buffer_.data(), used_));
    used_ = 0;
    if (error != 0) throw std::system_error(error, std::generic_category(), "cannot write to standard output");
}

}  // namespace tamboril::stream
