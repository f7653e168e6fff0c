// Console input: lines, the "(A5)" read and the free-form integer read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tamboril::records {

// An answer the operator gave cannot be used, input ended where an answer was
// due, or the console input cannot be read.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Longest part of an input line that is kept; the rest of a longer line is
// read and dropped.
inline constexpr std::size_t kMaxLineKept = 1 << 16;
// Bytes read from the console input at a time.
inline constexpr std::size_t kReadBufferBytes = std::size_t{1} << 16;

// A source of input lines. The line end (LF, or CR LF) is not part of a line;
// a last line without LF still counts.
class LineSource {
public:
    virtual ~LineSource() = default;
    // The next line, or nothing at the end of input. A read that fails (not
    // the end of input) throws InputError naming the system's reason.
    virtual std::optional<std::string> next_line() = 0;
    // Hands back what was read beyond the lines taken, where the source can,
    // so that another reader of the same input goes on from there. Returns 0,
    // or the errno of the failure.
    virtual int give_back() { return 0; }
};

// Lines read from a file descriptor through a buffer. Input read ahead of
// the lines taken is handed back by give_back() when the descriptor can be
// repositioned (a regular file); from a pipe or a terminal it is not.
class FdLineSource final : public LineSource {
public:
    explicit FdLineSource(int fd, std::size_t buffer_bytes = kReadBufferBytes);
    std::optional<std::string> next_line() override;
    int give_back() override;

private:
    // Refills the buffer; false at the end of input.
    bool fill();

    int fd_;
    bool seekable_;
    bool eof_ = false;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;  // the first byte not yet taken
    std::size_t end_ = 0;  // the end of what was read
};

// Lines taken from a block of text (tests and fuzzing).
class TextLineSource final : public LineSource {
public:
    explicit TextLineSource(std::string_view text) : text_(text) {}
    std::optional<std::string> next_line() override;

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Strips the line end conventions: a CR right before the LF belongs to it.
std::string_view strip_cr(std::string_view line);

// "(A5)": the first 5 characters of the next line, padded with blanks.
std::optional<std::string> read_a5(LineSource& in);

struct FreeInteger {
    enum class Status { Value, Unchanged, Invalid, OutOfRange, EndOfInput };
    Status status = Status::EndOfInput;
    std::int32_t value = 0;
    std::string text;  // what was read, for messages
};

// Free-form integer read: blanks, tabs and empty lines are skipped; the value
// is an optional sign and digits (or r*v) ending at a blank, tab, comma, slash
// or the end of the line; the rest of the line is dropped. A comma or slash
// before any value leaves the destination unchanged.
FreeInteger read_free_integer(LineSource& in);

}  // namespace tamboril::records
