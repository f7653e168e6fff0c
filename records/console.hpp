// The console channel: records with a line-advance control character, the
// open-line state, free-form prompts and the console reads.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "records/input.hpp"
#include "records/template.hpp"

namespace tamboril::records {

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
    // Writes out the text held so far. A failing write is kept in
    // write_error(), and from then on console text is dropped, not written.
    void flush();

    // Called each time before console text is written out (not for a console
    // kept in memory). The run uses it to write out the data file first, so
    // that a console whose writing ends the process (a broken pipe) finds
    // every record generated before it on disk. An empty function removes it.
    void set_before_write(std::function<void()> hook) { before_write_ = std::move(hook); }

    // Bytes of console text produced so far in the run: written out, held or
    // dropped after a failed write.
    std::uint64_t produced() const { return produced_; }
    // Drops the text held beyond the first `produced` bytes of the run's
    // console text (text already written out stays). A run that ends on a
    // data-file write which was submitted at that point ends with the console
    // text that came before the write.
    void take_back(std::uint64_t produced);

    // 0, or the errno of the first console write that failed.
    int write_error() const { return write_error_; }

    // Hands back input read ahead of the lines taken, where it can (see
    // LineSource::give_back); 0 or an errno.
    int give_back_input() { return in_ ? in_->give_back() : 0; }

    // Everything written so far, when the console keeps its output in memory.
    const std::string& output() const { return out_; }

private:
    void before_read();
    void append(std::string_view text);

    std::unique_ptr<LineSource> in_;
    int out_fd_;
    bool one_channel_;
    bool line_open_ = false;
    int write_error_ = 0;
    std::function<void()> before_write_;
    std::string out_;
    std::uint64_t produced_ = 0;  // out_ holds its last out_.size() bytes
};

}  // namespace tamboril::records
