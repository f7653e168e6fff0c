// The data file writes every block of samples as "(F11.10)" records, across
// the flushes of its buffer and whichever thread renders them, and cuts an
// old file at the first record.
#include <gtest/gtest.h>

#include <unistd.h>

#include <bit>
#include <cstdint>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "records/datafile.hpp"
#include "records/datafile_writer.hpp"
#include "records/fields.hpp"
#include "tests/support/common.hpp"
#include "tests/support/temp_dir_test.hpp"

namespace tamboril::records {
namespace {

// Runs in a fresh directory: the data file takes a bare name.
class DataFileTest : public testing::InTempDirTest {};

std::string general_record(float value) {
    std::string line;
    put_fixed(line, 11, 10, static_cast<double>(value), kDoubleDigits);
    return line + "\r\n";
}

// Whether the data file's writes go to a thread of their own.
class DataFileBlocks : public DataFileTest, public ::testing::WithParamInterface<bool> {};

TEST_P(DataFileBlocks, AcrossBufferFlushes) {
    // Over 3 MiB of records, in blocks of uneven sizes.
    std::vector<float> samples;
    std::uint32_t state = 12345;
    for (int i = 0; i < 250000; ++i) {
        state = state * 1664525u + 1013904223u;
        switch (i % 97) {
            case 0: samples.push_back(1.0f); break;
            case 1: samples.push_back(-0.5f); break;
            case 2: samples.push_back(std::bit_cast<float>(state >> 2)); break;  // any size
            default: samples.push_back(static_cast<float>(state >> 8) * 0x1p-24f); break;
        }
    }
    std::string expected;
    for (const float v : samples) expected += general_record(v);

    DataFile file("ARCHTEST", GetParam());
    const std::size_t blocks[] = {1, 4096, 7, 80659, 80660, 13, 100000};
    std::size_t at = 0;
    for (std::size_t i = 0; at < samples.size(); ++i) {
        const std::size_t count = std::min(blocks[i % std::size(blocks)], samples.size() - at);
        file.write_samples(std::span<const float>(samples).subspan(at, count));
        at += count;
    }
    file.close();
    EXPECT_EQ(testing::read_file(dir_ / "ARCHTEST"), expected);
}

INSTANTIATE_TEST_SUITE_P(BothWays, DataFileBlocks, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Overlapped" : "InTheCaller";
                         });

// A batch of records holds some rendered as they came and some kept as
// samples until it is written, then rendered at once or in chunks shared by
// two threads; its text is the same either way.
struct BatchCase {
    const char* label;
    std::vector<std::size_t> spans;  // samples added at a time
    std::vector<bool> rendered;      // rendered as they come, span by span (cycled)
    bool by_chunks = false;          // the kept ones chunk by chunk from both ends
};

void PrintTo(const BatchCase& c, std::ostream* os) { *os << c.label; }

class BatchText : public ::testing::TestWithParam<BatchCase> {};

TEST_P(BatchText, SameWhetherRenderedAtOnceOrLater) {
    const BatchCase& c = GetParam();
    Batch batch;
    // A batch whose records are all kept gets its text buffer only when it
    // is written.
    const bool renders = std::find(c.rendered.begin(), c.rendered.end(), true) != c.rendered.end();
    if (renders) batch.attach(Batch::make_text());
    std::string expected;
    std::uint32_t state = 99;
    std::size_t added = 0;
    for (std::size_t i = 0; batch.room() > 0 && i < c.spans.size(); ++i) {
        std::vector<float> samples(std::min(c.spans[i], batch.room()));
        for (float& v : samples) {
            state = state * 69069u + 1u;
            v = (state >> 8) % 97 == 0 ? 1.0f : static_cast<float>(state >> 8) * 0x1p-24f;
            expected += general_record(v);
        }
        batch.add(samples, c.rendered[i % c.rendered.size()]);
        added += samples.size();
    }
    EXPECT_EQ(batch.room(), Batch::kRecords - added);
    EXPECT_EQ(batch.has_text(), renders);
    if (!renders) batch.attach(Batch::make_text());
    if (c.by_chunks) {
        // As two threads share them: one from the first chunk on, the other
        // from the last back.
        batch.open_claims();
        for (bool first = true; batch.has_unclaimed(); first = !first) {
            batch.render_chunk(first ? batch.claim_first() : batch.claim_last());
            EXPECT_FALSE(batch.all_rendered());
            batch.chunk_rendered();
        }
        EXPECT_TRUE(batch.all_rendered());
    } else {
        batch.render_kept();
    }
    EXPECT_EQ(batch.text(), expected);
    // Cleared, it starts again from its first record.
    batch.clear();
    const float one[] = {0.5f};
    batch.add(one, false);
    batch.render_kept();
    EXPECT_EQ(batch.text(), ".5000000000\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Mixes, BatchText,
    ::testing::Values(BatchCase{"AllRendered", {4096, 4096, 7}, {true}},
                      BatchCase{"AllKept", {4096, 4096, 7}, {false}},
                      BatchCase{"Alternating", {1, 2, 3, 4096, 5, 4096, 13}, {true, false}},
                      BatchCase{"KeptRunsJoined", {3, 3, 3, 1, 1}, {false, false, true}},
                      BatchCase{"FullBatch", std::vector<std::size_t>(20, 4096), {false, true, true}},
                      BatchCase{"ChunksFromBothEnds", std::vector<std::size_t>(20, 4096), {false}, true},
                      BatchCase{"ChunksBesideRenderedOnes", {9000, 1, 20000, 3, 8191, 8193, 40000},
                                {false, true}, true}),
    [](const ::testing::TestParamInfo<BatchCase>& info) { return std::string(info.param.label); });

TEST_F(DataFileTest, OldContentsCutAtTheFirstRecord) {
    std::ofstream(dir_ / "ARCHOLD") << std::string(1000, 'x');
    DataFile file("ARCHOLD");
    const float samples[] = {0.25f, 1.0f};
    file.write_samples(samples);
    file.close();
    EXPECT_EQ(testing::read_file(dir_ / "ARCHOLD"), ".2500000000\r\n***********\r\n");
}

TEST_F(DataFileTest, NoRecordLeavesOldContents) {
    std::ofstream(dir_ / "ARCHKEEP") << "old";
    DataFile file("ARCHKEEP");
    file.write_samples({});
    file.close();
    EXPECT_EQ(testing::read_file(dir_ / "ARCHKEEP"), "old");
}

}  // namespace
}  // namespace tamboril::records
