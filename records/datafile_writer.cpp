#include "records/datafile_writer.hpp"

#include <fcntl.h>
#include <sched.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <utility>

#include "records/fast_fixed.hpp"
#include "records/fd_io.hpp"

namespace tamboril::records {

namespace {

// Whether this process may run on two processors or more.
bool second_processor() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) != 0) return false;
    return CPU_COUNT(&set) >= 2;
}

}  // namespace

Batch::Batch() : samples_(new float[kRecords]) { kept_.reserve(64); }

void Batch::attach(Text text) { text_ = std::move(text); }

void Batch::add(std::span<const float> samples, bool render_now) {
    const std::size_t at = count_;
    if (render_now) {
        render_sample_records(samples, text_.get() + at * kDataRecordBytes);
    } else {
        std::copy(samples.begin(), samples.end(), samples_.get() + at);
        std::size_t from = at;
        const std::size_t to = at + samples.size();
        while (from < to) {
            if (kept_.empty() || kept_.back().end != from ||
                kept_.back().end - kept_.back().begin == kChunkRecords) {
                kept_.push_back({from, from});
            }
            Range& last = kept_.back();
            last.end = std::min(to, last.begin + kChunkRecords);
            from = last.end;
        }
    }
    count_ += samples.size();
}

void Batch::render_kept() {
    for (std::size_t chunk = 0; chunk < kept_.size(); ++chunk) render_chunk(chunk);
    kept_.clear();
}

void Batch::open_claims() {
    first_ = 0;
    end_ = kept_.size();
    unrendered_ = kept_.size();
}

void Batch::render_chunk(std::size_t chunk) {
    const Range& range = kept_[chunk];
    render_sample_records(std::span<const float>(samples_.get() + range.begin, range.end - range.begin),
                   text_.get() + range.begin * kDataRecordBytes);
}

std::string_view Batch::text() const { return {text_.get(), count_ * kDataRecordBytes}; }

void Batch::clear() {
    count_ = 0;
    kept_.clear();
    first_ = end_ = unrendered_ = 0;
    stamp.reset();
}

BatchWriter::BatchWriter(int fd, bool overlapped) : fd_(fd), overlapped_(overlapped) {
    // The writing thread allocates nothing: what it hands back has room.
    spare_.reserve(kBatches);
    spare_texts_.reserve(kTexts);
}

BatchWriter::~BatchWriter() { finish(); }

void BatchWriter::start_thread() {
    if (!overlapped_ || threaded_) return;
    // On one processor a thread would only take turns with this one.
    if (!second_processor()) {
        overlapped_ = false;
        return;
    }
    try {
        own_text_ = Batch::make_text();
        thread_ = std::thread([this] { run(); });
        threaded_ = true;
    } catch (const std::system_error&) {
        overlapped_ = false;  // no thread to be had: the writes are made here
    }
}

std::optional<BatchWriter::Failure> BatchWriter::make_cut(std::optional<std::uint64_t> stamp) {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return Failure{"cannot examine", errno, stamp};
    if (!S_ISREG(info.st_mode)) return std::nullopt;
    int result;
    do {
        result = ::ftruncate(fd_, 0);
    } while (result != 0 && errno == EINTR);
    if (result != 0) return Failure{"cannot cut the old contents of", errno, stamp};
    regular_ = true;
    return std::nullopt;
}

int BatchWriter::write_batch(const Batch& batch) {
    const std::string_view text = batch.text();
    const int error = write_all(fd_, text);
    written_ += text.size();
    if (error == 0 && regular_ && written_ - sent_ >= kWriteBackBytes) {
#ifdef SYNC_FILE_RANGE_WRITE
        // The file's pages go to the disk from now on, beside the run, not
        // all of them when the file is closed. Advice only: what it
        // returns changes nothing.
        (void)::sync_file_range(fd_, static_cast<off_t>(sent_), static_cast<off_t>(written_ - sent_),
                                SYNC_FILE_RANGE_WRITE);
#endif
        sent_ = written_;
    }
    return error;
}

void BatchWriter::fail(const Failure& failure) {
    failure_ = failure;
    // Nothing after a failure reaches the file; a batch that the submitting
    // side is rendering in is dropped by the writer when it is done.
    for (auto it = queue_.begin(); it != queue_.end();) {
        if (it->get() == helped_) {
            ++it;
        } else {
            recycle(std::move(*it));
            it = queue_.erase(it);
        }
    }
}

void BatchWriter::recycle(std::unique_ptr<Batch> batch) {
    batch->clear();
    if (batch->has_text()) spare_texts_.push_back(batch->detach());
    spare_.push_back(std::move(batch));
}

Batch::Text BatchWriter::spare_text() {
    if (!spare_texts_.empty()) {
        Batch::Text text = std::move(spare_texts_.back());
        spare_texts_.pop_back();
        return text;
    }
    if (texts_made_ == kTexts) return nullptr;
    ++texts_made_;
    return Batch::make_text();
}

void BatchWriter::cut(std::optional<std::uint64_t> stamp) {
    start_thread();
    std::unique_lock lock(mutex_);
    if (failure_) return;
    if (!threaded_) {
        lock.unlock();
        const auto failed = make_cut(stamp);
        lock.lock();
        if (failed) fail(*failed);
        return;
    }
    cut_pending_ = true;
    cut_stamp_ = stamp;
    lock.unlock();
    work_.notify_one();
}

bool BatchWriter::render_a_chunk(std::unique_lock<std::mutex>& lock) {
    Batch* batch = current_ != nullptr && current_->has_unclaimed() ? current_ : nullptr;
    bool from_last = batch != nullptr;  // the writer takes the first ones
    for (auto it = queue_.begin(); batch == nullptr && it != queue_.end(); ++it) {
        if (!(*it)->has_unclaimed()) continue;
        if (!(*it)->has_text()) {
            Batch::Text text = spare_text();
            if (!text) return false;
            (*it)->attach(std::move(text));
        }
        batch = it->get();
    }
    if (batch == nullptr) return false;
    const std::size_t chunk = from_last ? batch->claim_last() : batch->claim_first();
    if (batch != current_) helped_ = batch;
    lock.unlock();
    batch->render_chunk(chunk);
    lock.lock();
    batch->chunk_rendered();
    helped_ = nullptr;
    work_.notify_one();  // the writer may be waiting for this chunk
    return true;
}

void BatchWriter::render_batch(std::unique_lock<std::mutex>& lock, Batch& batch) {
    while (batch.has_unclaimed()) {
        const std::size_t chunk = batch.claim_first();
        lock.unlock();
        batch.render_chunk(chunk);
        lock.lock();
        batch.chunk_rendered();
    }
    work_.wait(lock, [&batch] { return batch.all_rendered(); });
}

std::unique_ptr<Batch> BatchWriter::take() {
    std::unique_lock lock(mutex_);
    for (;;) {
        if (failure_) return nullptr;
        if (!spare_.empty() || made_ < kBatches) break;
        // Every batch is on its way: render for the writer, or wait.
        if (!render_a_chunk(lock)) done_.wait(lock);
    }
    std::unique_ptr<Batch> batch;
    if (spare_.empty()) {
        ++made_;
        batch = std::make_unique<Batch>();
    } else {
        batch = std::move(spare_.back());
        spare_.pop_back();
    }
    // Without the thread the records are rendered as they come.
    if (!threaded_) batch->attach(spare_text());
    return batch;
}

void BatchWriter::submit(std::unique_ptr<Batch> batch) {
    std::unique_lock lock(mutex_);
    if (failure_) {
        recycle(std::move(batch));
        return;
    }
    if (!threaded_) {
        lock.unlock();
        batch->render_kept();
        const int error = write_batch(*batch);
        lock.lock();
        if (error != 0) fail({"cannot write", error, batch->stamp});
        recycle(std::move(batch));
        return;
    }
    batch->open_claims();
    queue_.push_back(std::move(batch));
    lock.unlock();
    work_.notify_one();
}

void BatchWriter::wait_written() {
    std::unique_lock lock(mutex_);
    while (!(queue_.empty() && !cut_pending_ && !busy_)) {
        if (!render_a_chunk(lock)) done_.wait(lock);
    }
}

void BatchWriter::finish() {
    if (!threaded_) return;
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    work_.notify_one();
    thread_.join();
    threaded_ = false;
    overlapped_ = false;
}

std::optional<BatchWriter::Failure> BatchWriter::failure() const {
    const std::lock_guard lock(mutex_);
    return failure_;
}

void BatchWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        work_.wait(lock, [this] { return cut_pending_ || !queue_.empty() || ending_; });
        if (cut_pending_) {
            cut_pending_ = false;
            busy_ = true;
            const std::optional<std::uint64_t> stamp = cut_stamp_;
            lock.unlock();
            const auto failed = make_cut(stamp);
            lock.lock();
            busy_ = false;
            if (failed) fail(*failed);
            done_.notify_all();
            continue;
        }
        if (queue_.empty()) return;  // ending, and everything written
        std::unique_ptr<Batch> batch = std::move(queue_.front());
        queue_.pop_front();
        busy_ = true;
        current_ = batch.get();
        const bool own_text = !batch->has_text();
        if (own_text) batch->attach(std::move(own_text_));
        // Rendered whole (the submitting side may be rendering a chunk of it)
        // even after a failure, then written or dropped.
        render_batch(lock, *batch);
        current_ = nullptr;
        if (!failure_) {
            lock.unlock();
            const int error = write_batch(*batch);
            lock.lock();
            if (error != 0) fail({"cannot write", error, batch->stamp});
        }
        if (own_text) own_text_ = batch->detach();
        busy_ = false;
        recycle(std::move(batch));
        done_.notify_all();
    }
}

}  // namespace tamboril::records
