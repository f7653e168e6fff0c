#include "records/datafile.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tamboril::records {

DataFile::DataFile(std::string name, bool overlapped) : name_(std::move(name)) {
    if (name_.find('/') != std::string::npos) {
        throw DataFileError("cannot create the data file \"" + name_ +
                            "\": the name must not contain '/'");
    }
    if (name_.find('\0') != std::string::npos) {
        throw DataFileError("cannot create the data file: the name contains a NUL character");
    }
    do {
        fd_ = ::open(name_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    } while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0) fail("cannot create", errno);
    if (fd_ <= STDERR_FILENO) {
        // A closed standard stream must not become the data file: its text
        // would go into the file.
        const int moved = ::fcntl(fd_, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
        const int error = errno;
        ::close(fd_);
        fd_ = moved;
        if (fd_ < 0) fail("cannot create", error);
    }
    writer_ = std::make_unique<BatchWriter>(fd_, overlapped);
}

DataFile::~DataFile() {
    writer_.reset();  // the writes submitted are made, and its thread ends
    if (fd_ >= 0) ::close(fd_);
}

void DataFile::fail(const std::string& action, int error, std::optional<std::uint64_t> submitted_at) const {
    throw DataFileError(action + " the data file \"" + name_ + "\": " + std::strerror(error),
                        submitted_at);
}

void DataFile::check_writes() const {
    if (const auto failure = writer_->failure()) fail(failure->action, failure->error, failure->stamp);
}

void DataFile::write_samples(std::span<const float> samples) {
    if (samples.empty()) return;
    if (fd_ < 0) throw DataFileError("the data file \"" + name_ + "\" is closed");
    if (!cut_) {
        // Writing replaces the old contents from the first record on.
        writer_->cut(clock_ ? std::optional(clock_()) : std::nullopt);
        cut_ = true;
        check_writes();
    }
    while (!samples.empty()) {
        if (batch_ && batch_->room() == 0) submit();
        if (!batch_) {
            batch_ = writer_->take();
            if (!batch_) check_writes();
        }
        const std::size_t count = std::min(samples.size(), batch_->room());
        batch_->add(samples.first(count), batch_->has_text());
        samples = samples.subspan(count);
    }
}

void DataFile::submit() {
    if (clock_) batch_->stamp = clock_();
    writer_->submit(std::move(batch_));
    check_writes();
}

void DataFile::flush() {
    if (fd_ < 0) return;  // closed: everything is written
    if (batch_ && !batch_->empty()) submit();
    writer_->wait_written();
    check_writes();
}

void DataFile::close() {
    if (fd_ < 0) return;
    flush();
    writer_->finish();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) fail("cannot close", errno);
}

}  // namespace tamboril::records
