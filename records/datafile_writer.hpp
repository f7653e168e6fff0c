// The writes of the data file: batches of records, each written with one
// whole write, in order, by a thread of their own while the run goes on
// generating the next ones.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string_view>
#include <thread>
#include <vector>

#include "records/data_line.hpp"

namespace tamboril::records {

// Writes one "(F11.10)" record with its CR LF per sample, from `out` on.
void render_records(std::span<const float> samples, char* out);

// The records of one write: up to 1 MiB of text. Each record is rendered
// when it is added, or kept as its sample and rendered before the write by
// whoever writes the batch; so the work of rendering goes to the thread that
// has time for it. The text buffer is lent to the batch while it needs one:
// a batch whose records are all kept holds only its samples.
class Batch {
public:
    static constexpr std::size_t kTextBytes = std::size_t{1} << 20;
    static constexpr std::size_t kRecords = kTextBytes / kDataRecordBytes;
    using Text = std::unique_ptr<char[]>;

    static Text make_text() { return Text(new char[kRecords * kDataRecordBytes]); }

    Batch();

    std::size_t room() const { return kRecords - count_; }
    bool empty() const { return count_ == 0; }

    bool has_text() const { return text_ != nullptr; }
    // Lends the batch a text buffer; it has none.
    void attach(Text text);
    // Takes back the text buffer, with what is rendered in it.
    Text detach() { return std::move(text_); }

    // Appends one record per sample; at most room() samples. Rendering them
    // now needs a text buffer.
    void add(std::span<const float> samples, bool render_now);
    // Renders the records kept as samples; needs a text buffer.
    void render_kept();
    // The text of every record; all of them rendered.
    std::string_view text() const;
    // No records, no stamp (the text buffer stays).
    void clear();

    // What the issuing side stamps the batch with when it issues it.
    std::optional<std::uint64_t> stamp;

private:
    struct Range {
        std::size_t begin, end;  // records
    };

    std::unique_ptr<float[]> samples_;
    Text text_;
    std::size_t count_ = 0;
    std::vector<Range> kept_;  // records held as samples, in order
};

// Writes batches whole to a file descriptor, in the order they are issued,
// after cutting the old contents of a regular file. With `overlapped`, the
// cut and the writes go to a thread of their own, started by the first of
// them; without `overlapped`, where the process may use one processor only
// and where no thread can be started, the issuing thread makes each at once.
// After a failure nothing more is written: batches issued later are dropped.
//
// One thread issues; it is the only one to call the members below.
class BatchWriter {
public:
    // At most this many batches exist at once, the one being filled
    // included: while the old contents are cut, the run goes on generating
    // into them.
    static constexpr std::size_t kBatches = 20;
    // Text buffers lent to the issuing side; the writing thread has one more
    // of its own for batches that come without one.
    static constexpr std::size_t kTexts = 3;

    struct Failure {
        const char* action;                  // "cannot write", ...
        int error;                           // its errno
        std::optional<std::uint64_t> stamp;  // the stamp of the cut or the batch
    };

    BatchWriter(int fd, bool overlapped);
    // Writes what was issued (unless something failed) and ends the thread.
    ~BatchWriter();
    BatchWriter(const BatchWriter&) = delete;
    BatchWriter& operator=(const BatchWriter&) = delete;

    // Cuts a regular file to nothing before the first batch is written
    // (other files, a device or a FIFO, are written as they are).
    void cut(std::optional<std::uint64_t> stamp);
    // An empty batch to fill: waits while every batch is issued and not yet
    // written. Empty after a failure.
    std::unique_ptr<Batch> take();
    // A text buffer to render into, when the issuing side should render
    // (see behind()): waits for one that a write gives back, but not while
    // the cut is being made (the run then keeps its samples instead). Empty
    // when none is to be had.
    Batch::Text text_to_render();
    // Queues the batch for writing (or writes it, without a thread).
    void issue(std::unique_ptr<Batch> batch);
    // Whether a batch is queued that the writer has not begun: then the
    // issuing thread has time to render the records it adds.
    bool behind() const { return !threaded_ || queued_.load(std::memory_order_relaxed) > 0; }
    // Waits until the cut and every batch issued are made, or dropped after
    // a failure.
    void wait_written();
    // Waits as wait_written() and ends the thread.
    void finish();

    std::optional<Failure> failure() const;

private:
    void start_thread();
    void run();
    // The cut, or a failure.
    std::optional<Failure> make_cut(std::optional<std::uint64_t> stamp);
    // Renders what is kept and writes the batch; 0 or an errno.
    int write_batch(Batch& batch);
    void fail(const Failure& failure);           // with mutex_ held
    void recycle(std::unique_ptr<Batch> batch);  // with mutex_ held

    const int fd_;
    bool overlapped_;        // a thread may be started
    bool threaded_ = false;  // the thread runs (set and read by the issuing thread)
    // Kept by whoever makes the writes.
    bool regular_ = false;       // a regular file: its write-back is started early
    std::uint64_t written_ = 0;  // bytes written
    Batch::Text own_text_;       // for batches without a text buffer

    mutable std::mutex mutex_;
    std::condition_variable work_;  // the thread waits for work or the end
    std::condition_variable done_;  // the issuing thread waits for work done
    bool cut_pending_ = false;      // a cut to make, stamped with cut_stamp_
    std::optional<std::uint64_t> cut_stamp_;
    bool cutting_ = false;  // from cut() until the cut is made
    std::deque<std::unique_ptr<Batch>> queue_;
    std::vector<std::unique_ptr<Batch>> spare_;
    std::size_t made_ = 0;
    std::vector<Batch::Text> spare_texts_;
    std::size_t texts_made_ = 0;
    bool busy_ = false;  // the thread is making a cut or a write
    bool ending_ = false;
    std::optional<Failure> failure_;
    std::atomic<std::size_t> queued_{0};  // queue_.size(), read without the mutex
    std::thread thread_;
};

}  // namespace tamboril::records
