#include "records/datafile.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include "records/fast_fixed.hpp"
#include "records/fd_io.hpp"

namespace tamboril::records {

namespace {
constexpr std::size_t kBufferBytes = std::size_t{1} << 20;
}

DataFile::DataFile(std::string name) : name_(std::move(name)) {
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
    buffer_.resize(kBufferBytes);
}

DataFile::~DataFile() {
    if (fd_ >= 0) ::close(fd_);
}

void DataFile::fail(const std::string& action, int error) const {
    throw DataFileError(action + " the data file \"" + name_ + "\": " + std::strerror(error));
}

void DataFile::write_samples(std::span<const float> samples) {
    if (samples.empty()) return;
    if (fd_ < 0) throw DataFileError("the data file \"" + name_ + "\" is closed");
    if (!cut_) cut_old_contents();
    while (!samples.empty()) {
        if (buffer_.size() - used_ < kDataRecordBytes) flush();
        const std::size_t room = (buffer_.size() - used_) / kDataRecordBytes;
        const std::size_t count = samples.size() < room ? samples.size() : room;
        render_sample_records(samples.first(count), buffer_.data() + used_);
        used_ += count * kDataRecordBytes;
        samples = samples.subspan(count);
    }
}

void DataFile::cut_old_contents() {
    // Writing replaces the old contents from the first record on. Only a
    // regular file has contents to cut.
    struct stat info {};
    if (::fstat(fd_, &info) != 0) fail("cannot examine", errno);
    if (S_ISREG(info.st_mode)) {
        int result;
        do {
            result = ::ftruncate(fd_, 0);
        } while (result != 0 && errno == EINTR);
        if (result != 0) fail("cannot cut the old contents of", errno);
    }
    cut_ = true;
}

void DataFile::flush() {
    if (used_ == 0) return;
    if (fd_ < 0) throw DataFileError("the data file \"" + name_ + "\" is closed");
    const int error = write_all(fd_, std::string_view(buffer_.data(), used_));
    if (error != 0) fail("cannot write", error);
    used_ = 0;
}

void DataFile::close() {
    if (fd_ < 0) return;
    flush();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) fail("cannot close", errno);
}

}  // namespace tamboril::records
