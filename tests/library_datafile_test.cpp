// The library's sequences and tamboril-stream's lines against the data file
// the interactive program writes, for every generator that produces values
// and several cuts into sequences.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tamboril/generators.hpp"
#include "tests/support/names.hpp"
#include "tests/support/program.hpp"
#include "tests/support/stream_program.hpp"
#include "tests/support/temp_dir_test.hpp"

namespace {

using tamboril::testing::expected_data_line;
using tamboril::testing::read_file;
using tamboril::testing::run_program;
using tamboril::testing::run_stream;

struct Cut {
    std::int32_t n;  // values per sequence
    std::int32_t m;  // sequences
};

// Short and long sequences; 578 and 10000 cross the operation's blocks of 4096.
const Cut kCuts[] = {{1, 3}, {7, 2}, {578, 3}, {10000, 2}};

struct Case {
    std::string name;
    Cut cut;
};

std::vector<Case> all_cases() {
    std::vector<Case> cases;
    for (std::string_view name : tamboril::testing::kValueGenerators) {
        for (const Cut& cut : kCuts) cases.push_back({std::string(name), cut});
    }
    return cases;
}

void PrintTo(const Case& c, std::ostream* os) { *os << c.name << " with N = " << c.cut.n << ", M = " << c.cut.m; }

class DataFileEquality : public tamboril::testing::TempDirTest, public ::testing::WithParamInterface<Case> {
protected:

    // The data file of a run with the case's answers.
    std::string data_file() const {
        const Case& c = GetParam();
        const std::string answers =
            c.name + "\n" + std::to_string(c.cut.n) + "\n" + std::to_string(c.cut.m) + "\n\n";
        const auto run = run_program(dir_, answers);
        EXPECT_EQ(run.status, 0) << run.err;
        return read_file(dir_ / ("ARCH" + c.name));
    }
};

TEST_P(DataFileEquality, LibrarySequencesAndStreamLinesEqualTheRunsFile) {
    const Case& c = GetParam();
    const std::string file = data_file();
    ASSERT_EQ(file.size(), static_cast<std::size_t>(c.cut.n) * static_cast<std::size_t>(c.cut.m) * 13);

    // The library: M calls of N values, each value rendered independently of
    // the program's renderer.
    auto generator = tamboril::make_generator(c.name);
    EXPECT_EQ(generator->name(), c.name);
    std::vector<float> values(static_cast<std::size_t>(c.cut.n));
    std::string library;
    for (std::int32_t k = 0; k < c.cut.m; ++k) {
        generator->sequence(values);
        for (float v : values) library += expected_data_line(v) + "\r\n";
    }
    EXPECT_TRUE(library == file) << "the library's values differ from ARCH" << c.name;

    // The stream program cut the same way.
    const std::uint64_t count = static_cast<std::uint64_t>(c.cut.n) * static_cast<std::uint64_t>(c.cut.m);
    const auto stream = run_stream({c.name, "--format", "lines", "--sequence", std::to_string(c.cut.n),
                                    "--count", std::to_string(count)});
    EXPECT_EQ(stream.status, 0) << stream.err;
    EXPECT_EQ(stream.err, "");
    EXPECT_TRUE(stream.out == file) << "tamboril-stream's lines differ from ARCH" << c.name;
}

INSTANTIATE_TEST_SUITE_P(EveryGeneratorAndCut, DataFileEquality, ::testing::ValuesIn(all_cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return info.param.name + "_N" + std::to_string(info.param.cut.n) + "_M" +
                                    std::to_string(info.param.cut.m);
                         });

}  // namespace
