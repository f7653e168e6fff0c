// The data-file channel: one "(F11.10)" record per value, each ended by CR LF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>

#include "records/data_line.hpp"
#include "records/datafile_writer.hpp"

namespace tamboril::records {

// The data file could not be created, written, flushed or closed.
class DataFileError : public std::runtime_error {
public:
    explicit DataFileError(const std::string& message, std::optional<std::uint64_t> submitted_at = {})
        : std::runtime_error(message), submitted_at_(submitted_at) {}

    // For a failed cut or write: its stamp (see DataFile::set_clock).
    std::optional<std::uint64_t> submitted_at() const { return submitted_at_; }

private:
    std::optional<std::uint64_t> submitted_at_;
};

class DataFile {
public:
    // Opens (or creates) the file at its beginning, on a descriptor above the
    // standard streams. The old contents of a regular file are cut at the
    // first record written, so a run that writes none leaves them; other
    // files (a device, a FIFO) cannot be cut and are written as they are.
    //
    // Records are written 1 MiB at a time, each write submitted when the next
    // record finds the buffer full, or by flush() and close(); the cut is
    // submitted by the first record. With `overlapped`, the cut, the rendering
    // and the writes go to a thread of their own while the caller goes on
    // (see BatchWriter): a failure is then reported at the caller's next
    // submitted write, flush() or close(), and nothing added after the failed
    // call reaches the file.
    explicit DataFile(std::string name, bool overlapped = true);
    ~DataFile();
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    // Appends one record per sample, each widened exactly to double precision.
    void write_samples(std::span<const float> samples);
    // Writes out what is buffered and waits until every record so far is in
    // the file.
    void flush();
    // Writes out what is buffered and closes the file; errors are reported.
    void close();

    // The cut and every write are stamped with the value of `clock` when
    // they are submitted; the error of a failed one carries its stamp.
    void set_clock(std::function<std::uint64_t()> clock) { clock_ = std::move(clock); }

    const std::string& name() const { return name_; }

private:
    void submit();
    // Throws the failure of a write, if there is one.
    void check_writes() const;
    [[noreturn]] void fail(const std::string& action, int error,
                           std::optional<std::uint64_t> submitted_at = {}) const;

    std::string name_;
    int fd_ = -1;
    bool cut_ = false;
    std::function<std::uint64_t()> clock_;
    std::unique_ptr<BatchWriter> writer_;  // ends before the file is closed
    std::unique_ptr<Batch> batch_;         // being filled
};

}  // namespace tamboril::records
