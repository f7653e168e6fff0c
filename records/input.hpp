// Console input: lines, the "(A5)" read and the free-form integer read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tamboril::records {

// Longest part of an input line that is kept; the rest of a longer line is
// read and dropped.
inline constexpr std::size_t kMaxLineKept = 1 << 16;

// A source of input lines. The line end (LF, or CR LF) is not part of a line;
// a last line without LF still counts.
class LineSource {
public:
    virtual ~LineSource() = default;
    virtual std::optional<std::string> next_line() = 0;
};

// Lines read from a file descriptor, unbuffered beyond the current line's
// bytes so that a command run at the pause sees the rest of the input.
class FdLineSource final : public LineSource {
public:
    explicit FdLineSource(int fd) : fd_(fd) {}
    std::optional<std::string> next_line() override;

private:
    int fd_;
    bool eof_ = false;
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
