#include "records/console.hpp"

#include <unistd.h>

#include "records/fd_io.hpp"
#include "records/message_text.hpp"

namespace tamboril::records {

namespace {
constexpr std::string_view kLineAdvance = "\r\n";
}

Console Console::standard() {
    const bool terminal = ::isatty(STDIN_FILENO) == 1 && ::isatty(STDOUT_FILENO) == 1;
    return Console(std::make_unique<FdLineSource>(STDIN_FILENO), STDOUT_FILENO, terminal);
}

Console::Console(std::unique_ptr<LineSource> in, int out_fd, bool one_channel)
    : in_(std::move(in)), out_fd_(out_fd), one_channel_(one_channel) {}

Console::~Console() {
    before_write_ = nullptr;  // what it refers to may be gone by now
    if (in_) flush();
}

void Console::write(const Template& format, std::span<const Item> items) {
    format.render(items, [this](std::string_view record) { write_record(record); });
}

void Console::write_record(std::string_view record) {
    const char control = record.empty() ? ' ' : record.front();
    if (control == '0') append(kLineAdvance);
    if (line_open_) append(kLineAdvance);
    if (!record.empty()) append(record.substr(1));
    line_open_ = true;
    // Keep memory bounded however many sequences print a line.
    if (out_.size() >= kOutputFlushBytes) flush();
}

void Console::write_free(std::string_view text) {
    std::string record(1, ' ');
    std::size_t room = kFreeLineRoom;
    for (;;) {
        if (text.size() < room) {
            record += text;
            break;
        }
        record += text.substr(0, room);
        write_record(record);
        text.remove_prefix(room);
        record.assign(1, ' ');
        room = kFreeLineRoom;
    }
    write_record(record);
}

void Console::before_read() {
    flush();
    // At a terminal the operator's Enter ends the line.
    if (one_channel_) line_open_ = false;
}

std::string Console::read_name() {
    before_read();
    auto name = read_a5(*in_);
    if (!name) throw InputError("end of input while reading the generator name");
    return *name;
}

void Console::read_integer(std::int32_t& destination, std::string_view answer) {
    before_read();
    const FreeInteger got = read_free_integer(*in_);
    using Status = FreeInteger::Status;
    const std::string what = std::string(answer);
    switch (got.status) {
        case Status::Value:
            destination = got.value;
            return;
        case Status::Unchanged:
            return;
        case Status::EndOfInput:
            throw InputError("end of input while reading " + what);
        case Status::Invalid:
            throw InputError("the answer for " + what + " is not an integer: read " +
                             quoted_answer(got.text));
        case Status::OutOfRange:
            throw InputError("the answer for " + what +
                             " is outside the range -2147483648 to 2147483647: read " +
                             quoted_answer(got.text));
    }
}

std::optional<std::string> Console::read_pause_line() {
    flush();
    return in_->next_line();
}

void Console::end_line() {
    if (line_open_) append(kLineAdvance);
}

void Console::write_text(std::string_view text) { append(text); }

void Console::append(std::string_view text) {
    out_ += text;
    produced_ += text.size();
}

void Console::take_back(std::uint64_t produced) {
    const std::uint64_t held_from = produced_ - out_.size();
    if (produced < held_from || produced >= produced_) return;
    out_.resize(static_cast<std::size_t>(produced - held_from));
    produced_ = produced;
}

void Console::finish() {
    end_line();
    flush();
}

void Console::flush() {
    if (out_fd_ < 0 || out_.empty()) return;
    if (write_error_ == 0) {
        if (before_write_) before_write_();
        write_error_ = write_all(out_fd_, out_);
    }
    out_.clear();
}

}  // namespace tamboril::records
