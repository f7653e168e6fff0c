// The writes of the data file: batches of records, each written with one
// whole write, in order, by a thread of their own while the run goes on
// generating the next ones.
#pragma once

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

// The records of one write: up to 1 MiB of text. Each record is rendered
// when it is added, or kept as its sample and rendered before the write, in
// chunks that two threads can share: one takes them from the first on, the
// other from the last back. The text buffer is lent to the batch while it
// needs one: a batch whose records are all kept holds only its samples.
class Batch {
public:
    static constexpr std::size_t kTextBytes = std::size_t{1} << 20;
    static constexpr std::size_t kRecords = kTextBytes / kDataRecordBytes;
    static constexpr std::size_t kChunkRecords = 8192;
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

    // The chunks of kept records, claimed one at a time from either end and
    // then rendered (needs a text buffer); the caller serialises the calls
    // other than render_chunk(). open_claims() makes every chunk unclaimed.
    void open_claims();
    bool has_unclaimed() const { return first_ < end_; }
    std::size_t claim_first() { return first_++; }
    std::size_t claim_last() { return --end_; }
    void render_chunk(std::size_t chunk);
    // Counts a claimed chunk as rendered.
    void chunk_rendered() { --unrendered_; }
    bool all_rendered() const { return unrendered_ == 0; }
    // The text of every record; all of them rendered.
    std::string_view text() const;
    // No records, no stamp (the text buffer stays).
    void clear();

    // What the submitting side stamps the batch with when it submits it.
    std::optional<std::uint64_t> stamp;

private:
    struct Range {
        std::size_t begin, end;  // records
    };

    std::unique_ptr<float[]> samples_;
    Text text_;
    std::size_t count_ = 0;
    std::vector<Range> kept_;  // records held as samples, in order, in chunks
    std::size_t first_ = 0, end_ = 0;  // unclaimed chunks
    std::size_t unrendered_ = 0;       // chunks claimed or not, not rendered
};

// Writes batches whole to a file descriptor, in the order they are submitted,
// after cutting the old contents of a regular file. With `overlapped`, the
// cut and the writes go to a thread of their own, started by the first of
// them; without `overlapped`, where the process may use one processor only
// and where no thread can be started, the submitting thread makes each at once.
// After a failure nothing more is written: batches submitted later are dropped.
//
// With the thread, the submitting side keeps the samples of the batches it
// fills, and the writer renders them, chunk by chunk, before it writes them;
// but whenever the submitting side has to wait for the writer, it renders
// chunks meanwhile: from the last chunk back of the batch the writer is
// rendering, or else of the next batch to be written. So the rendering goes
// to whichever side has time for it.
//
// One thread submits; it is the only one to call the members below.
class BatchWriter {
public:
    // At most this many batches exist at once, the one being filled
    // included: while the old contents are cut, the run goes on generating
    // into them.
    static constexpr std::size_t kBatches = 20;
    // Text buffers lent to batches; the writing thread has one more of its
    // own.
    static constexpr std::size_t kTexts = 3;

    struct Failure {
        const char* action;                  // "cannot write", ...
        int error;                           // its errno
        std::optional<std::uint64_t> stamp;  // the stamp of the cut or the batch
    };

    BatchWriter(int fd, bool overlapped);
    // Writes what was submitted (unless something failed) and ends the thread.
    ~BatchWriter();
    BatchWriter(const BatchWriter&) = delete;
    BatchWriter& operator=(const BatchWriter&) = delete;

    // Cuts a regular file to nothing before the first batch is written
    // (other files, a device or a FIFO, are written as they are).
    void cut(std::optional<std::uint64_t> stamp);
    // An empty batch to fill, after cut(): it has a text buffer when its
    // records are to be rendered as they are added (without the thread).
    // Waits while every batch is on its way. Empty after a failure.
    std::unique_ptr<Batch> take();
    // Queues the batch for writing (or writes it, without the thread).
    void submit(std::unique_ptr<Batch> batch);
    // Waits until the cut and every batch submitted are made, or dropped after
    // a failure.
    void wait_written();
    // Waits as wait_written() and ends the thread.
    void finish();

    std::optional<Failure> failure() const;

private:
    void start_thread();
    void run();
    // For the submitting side while it waits: renders one chunk that the
    // writer will need soon; false when there is none (or no text buffer
    // for it). With mutex_ held, released meanwhile.
    bool render_a_chunk(std::unique_lock<std::mutex>& lock);
    // The writer's part of a batch: its chunks from the first on, then the
    // wait for those that the submitting side renders. With mutex_ held.
    void render_batch(std::unique_lock<std::mutex>& lock, Batch& batch);
    Batch::Text spare_text();  // with mutex_ held; empty when all are lent
    // The cut, or a failure.
    std::optional<Failure> make_cut(std::optional<std::uint64_t> stamp);
    // Writes the batch's text; 0 or an errno.
    int write_batch(const Batch& batch);
    void fail(const Failure& failure);           // with mutex_ held
    void recycle(std::unique_ptr<Batch> batch);  // with mutex_ held

    const int fd_;
    bool overlapped_;        // a thread may be started
    bool threaded_ = false;  // the thread runs (set and read by the submitting thread)
    // Kept by whoever makes the writes.
    bool regular_ = false;       // a regular file: its write-back is started early,
    std::uint64_t written_ = 0;  // bytes written
    std::uint64_t sent_ = 0;     // for the bytes before this, 16 MiB at a time
    static constexpr std::uint64_t kWriteBackBytes = std::uint64_t{16} << 20;
    Batch::Text own_text_;       // for batches without a text buffer

    mutable std::mutex mutex_;
    std::condition_variable work_;  // the thread waits for work or the end
    std::condition_variable done_;  // the submitting thread waits for work done
    bool cut_pending_ = false;      // a cut to make, stamped with cut_stamp_
    std::optional<std::uint64_t> cut_stamp_;
    std::deque<std::unique_ptr<Batch>> queue_;
    Batch* current_ = nullptr;            // the batch the writer renders and writes
    const Batch* helped_ = nullptr;       // a queued batch the submitting side renders in
    std::vector<std::unique_ptr<Batch>> spare_;
    std::size_t made_ = 0;
    std::vector<Batch::Text> spare_texts_;
    std::size_t texts_made_ = 0;
    bool busy_ = false;  // the thread is making a cut or rendering and writing
    bool ending_ = false;
    std::optional<Failure> failure_;
    std::thread thread_;
};

}  // namespace tamboril::records
