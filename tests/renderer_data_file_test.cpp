// The data file writes every block of samples as "(F11.10)" records, across
// the flushes of its buffer, and cuts an old file at the first record.
#include <gtest/gtest.h>

#include <unistd.h>

#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "records/datafile.hpp"
#include "records/fields.hpp"
#include "tests/support/common.hpp"

namespace tamboril::records {
namespace {

// Runs in a fresh directory: the data file takes a bare name.
class DataFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        old_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
    }
    void TearDown() override { std::filesystem::current_path(old_); }

    const testing::TempDir dir_;
    std::filesystem::path old_;
};

std::string general_record(float value) {
    std::string line;
    put_fixed(line, 11, 10, static_cast<double>(value), kDoubleDigits);
    return line + "\r\n";
}

TEST_F(DataFileTest, BlocksAcrossBufferFlushes) {
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

    DataFile file("ARCHTEST");
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
