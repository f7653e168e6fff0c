// The console channel: records with a line-advance control character, the
// open-line state, free-form prompts and the console reads.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "records/input.hpp"
#include "records/template.hpp"

namespace tamboril::records {

// An answer the operator gave cannot be used (or input ended).
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::size_t kFreeLineRoom = 79;
// Console text held before it is written out (it is also written before every
// read and at the end of the run).
inline constexpr std::size_t kOutputFlushBytes = std::size_t{1} << 16;

class Console {
public:
    // Standard input and output; they form one channel when both are terminals.
    static Console standard();

    // `out_fd` below 0 keeps the output in memory (see output()).
    Console(std::unique_ptr<LineSource> in, int out_fd, bool one_channel);
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;
    Console(Console&&) = default;

    // Write statements.
    void write(const Template& format, std::span<const Item> items);
    void write(const Template& format, std::initializer_list<Item> items) {
        write(format, std::span<const Item>(items.begin(), items.size()));
    }
    // Free-form write of one character item (the prompts).
    void write_free(std::string_view text);
    // One record; its first character selects the line advance.
    void write_record(std::string_view record);

    // "(A5)" read of the generator name: 5 characters.
    std::string read_name();
    // Free-form integer read; `answer` names the answer in error messages.
    void read_integer(std::int32_t& destination, std::string_view answer);
    // A raw line for the pause; does not close the open line.
    std::optional<std::string> read_pause_line();

    // Ends the open line, if any, with a line advance; the line stays counted
    // as open (pause and stop steps).
    void end_line();
    // Text written as it is, outside the record rules.
    void write_text(std::string_view text);
    // End of the run: an open line is ended once more, output flushed.
    void finish();
    void flush();

    // Everything written so far, when the console keeps its output in memory.
    const std::string& output() const { return out_; }

private:
    void before_read();

    std::unique_ptr<LineSource> in_;
    int out_fd_;
    bool one_channel_;
    bool line_open_ = false;
    std::string out_;
};

}  // namespace tamboril::records
