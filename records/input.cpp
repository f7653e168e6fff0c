#include "records/input.hpp"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "records/fd_io.hpp"

namespace tamboril::records {

std::string_view strip_cr(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

FdLineSource::FdLineSource(int fd, std::size_t buffer_bytes)
    : fd_(fd), seekable_(::lseek(fd, 0, SEEK_CUR) >= 0), buffer_(buffer_bytes > 0 ? buffer_bytes : 1) {}

bool FdLineSource::fill() {
    pos_ = 0;
    end_ = 0;
    if (eof_) return false;
    for (;;) {
        const ssize_t got = ::read(fd_, buffer_.data(), buffer_.size());
        if (got > 0) {
            end_ = static_cast<std::size_t>(got);
            return true;
        }
        if (got == 0) {
            eof_ = true;
            return false;
        }
        if (errno == EINTR) continue;
        // A non-blocking input: wait for it instead of taking the empty
        // moment as an error.
        if ((errno == EAGAIN || errno == EWOULDBLOCK) && wait_if_nonblocking(fd_, POLLIN)) continue;
        throw InputError(std::string("cannot read the console input: ") + std::strerror(errno));
    }
}

std::optional<std::string> FdLineSource::next_line() {
    if (pos_ == end_ && !fill()) return std::nullopt;
    std::string line;
    for (;;) {
        const char* start = buffer_.data() + pos_;
        const std::size_t available = end_ - pos_;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', available));
        const std::size_t length =
            newline != nullptr ? static_cast<std::size_t>(newline - start) : available;
        // Beyond what is kept, the bytes of a long line are only skipped.
        const std::size_t room = kMaxLineKept + 1 - line.size();
        line.append(start, length < room ? length : room);
        pos_ += length;
        if (newline != nullptr) {
            ++pos_;
            break;
        }
        if (!fill()) break;  // a last line without a line end
    }
    return std::string(strip_cr(line));
}

int FdLineSource::give_back() {
    if (!seekable_ || pos_ == end_) return 0;
    const auto ahead = static_cast<off_t>(end_ - pos_);
    if (::lseek(fd_, -ahead, SEEK_CUR) < 0) {
        seekable_ = false;  // reported once; the input goes on from the buffer
        return errno;
    }
    pos_ = end_ = 0;
    return 0;
}

std::optional<std::string> TextLineSource::next_line() {
    if (pos_ >= text_.size()) return std::nullopt;
    const std::size_t end = text_.find('\n', pos_);
    std::string_view line;
    if (end == std::string_view::npos) {
        line = text_.substr(pos_);
        pos_ = text_.size();
    } else {
        line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
    }
    if (line.size() > kMaxLineKept + 1) line = line.substr(0, kMaxLineKept + 1);
    return std::string(strip_cr(line));
}

std::optional<std::string> read_a5(LineSource& in) {
    auto line = in.next_line();
    if (!line) return std::nullopt;
    std::string name = line->substr(0, 5);
    name.resize(5, ' ');
    return name;
}

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool ends_value(char c) { return is_blank(c) || c == ',' || c == '/'; }

// Optional sign and at least one digit, nothing else.
FreeInteger::Status parse_value(std::string_view text, std::int32_t& value) {
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        negative = digits[0] == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty()) return FreeInteger::Status::Invalid;
    for (char c : digits) {
        if (c < '0' || c > '9') return FreeInteger::Status::Invalid;
    }
    std::int64_t magnitude = 0;
    for (char c : digits) {
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > std::int64_t{1} << 31) return FreeInteger::Status::OutOfRange;
    }
    const std::int64_t signed_value = negative ? -magnitude : magnitude;
    if (signed_value > INT32_MAX) return FreeInteger::Status::OutOfRange;
    value = static_cast<std::int32_t>(signed_value);
    return FreeInteger::Status::Value;
}

}  // namespace

FreeInteger read_free_integer(LineSource& in) {
    FreeInteger result;
    for (;;) {
        auto line = in.next_line();
        if (!line) return result;  // end of input
        std::string_view rest(*line);
        std::size_t pos = 0;
        while (pos < rest.size() && is_blank(rest[pos])) ++pos;
        if (pos == rest.size()) continue;
        if (rest[pos] == ',' || rest[pos] == '/') {
            result.status = FreeInteger::Status::Unchanged;
            result.text = std::string(1, rest[pos]);
            return result;
        }
        std::size_t end = pos;
        while (end < rest.size() && !ends_value(rest[end])) ++end;
        const std::string_view token = rest.substr(pos, end - pos);
        result.text = std::string(token);
        std::string_view value_text = token;
        const std::size_t star = token.find('*');
        if (star != std::string_view::npos) {
            // r*v: r copies of v; r*, with no v, is a null value.
            std::int32_t copies = 0;
            const std::string_view count = token.substr(0, star);
            const bool count_ok = !count.empty() && count[0] != '+' && count[0] != '-' &&
                                  parse_value(count, copies) == FreeInteger::Status::Value &&
                                  copies > 0;
            if (!count_ok) {
                result.status = FreeInteger::Status::Invalid;
                return result;
            }
            value_text = token.substr(star + 1);
            if (value_text.empty()) {
                result.status = FreeInteger::Status::Unchanged;
                return result;
            }
        }
        result.status = parse_value(value_text, result.value);
        return result;
    }
}

}  // namespace tamboril::records
