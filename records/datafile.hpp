// The data-file channel: one "(F11.10)" record per value, each ended by CR LF.
#pragma once

#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "records/data_line.hpp"

namespace tamboril::records {

// The data file could not be created, written, flushed or closed.
class DataFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class DataFile {
public:
    // Opens (or creates) the file at its beginning, on a descriptor above the
    // standard streams. The old contents of a regular file are cut at the
    // first record written, so a run that writes none leaves them; other
    // files (a device, a FIFO) cannot be cut and are written as they are.
    explicit DataFile(std::string name);
    ~DataFile();
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    // Appends one record per sample, each widened exactly to double precision.
    void write_samples(std::span<const float> samples);
    // Writes out what is buffered, so that the file holds every record so far.
    void flush();
    // Writes out what is buffered and closes the file; errors are reported.
    void close();

    const std::string& name() const { return name_; }

private:
    void cut_old_contents();
    [[noreturn]] void fail(const std::string& action, int error) const;

    std::string name_;
    int fd_ = -1;
    bool cut_ = false;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

}  // namespace tamboril::records
