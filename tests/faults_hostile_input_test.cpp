// Hostile and unusual answers: each has a fixed outcome (exit status, message
// on standard error, data file).
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <ostream>
#include <random>
#include <string>

#include "tests/support/program.hpp"

namespace tamboril::testing {
namespace {

namespace fs = std::filesystem;

// URN10's first values as data-file lines (states 125, 7433, 3429, 2641,
// 2445, 2521, 3829 over 8192).
std::string urn10_lines(int count) {
    static const char* lines[] = {".0152587891", ".9073486328", ".4185791016", ".3223876953",
                                  ".2984619141", ".3077392578", ".4674072266"};
    std::string text;
    for (int i = 0; i < count; ++i) text += std::string(lines[i]) + "\r\n";
    return text;
}

struct Hostile {
    const char* label;
    std::string input;
    int status;
    std::string err;                  // exact standard error
    std::string file;                 // data file name
    std::optional<std::string> data;  // its contents; nullopt: not created
};

void PrintTo(const Hostile& c, std::ostream* os) {
    *os << c.label << ": " << quoted(c.input) << ", status " << c.status;
}

class HostileInput : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostileInput, DocumentedOutcome) {
    const Hostile& c = GetParam();
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, c.input);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err, c.err);
    if (c.data) {
        ASSERT_TRUE(fs::exists(dir / c.file)) << c.file;
        EXPECT_EQ(read_file(dir / c.file), *c.data);
    } else {
        EXPECT_FALSE(fs::exists(dir / c.file));
    }
}

const std::string kN = "the answer for N (values per sequence) ";
const std::string kM = "the answer for M (number of sequences) ";
const std::string kRange = "is outside the range -2147483648 to 2147483647: read ";

INSTANTIATE_TEST_SUITE_P(
    Answers, HostileInput,
    ::testing::Values(
        Hostile{"EmptyInput", "", 2, error_line("end of input while reading the generator name"),
                "ARCH", std::nullopt},
        Hostile{"NameOf0", "\n3\n1\n", 0, "", "ARCH", ""},
        Hostile{"NameOf4", "URN1\n3\n1\n", 0, "", "ARCHURN1", ""},
        Hostile{"NameOf5", "URN10\n3\n1\n\n", 0, "", "ARCHURN10", urn10_lines(3)},
        Hostile{"NameOf6", "URN10X\n3\n1\n\n", 0, "", "ARCHURN10", urn10_lines(3)},
        Hostile{"NameOf200", "URN10" + std::string(195, 'z') + "\n3\n1\n\n", 0, "", "ARCHURN10",
                urn10_lines(3)},
        Hostile{"NonAscii", "\xC3\xA9URN\n", 0, "", "ARCH\xC3\xA9URN", ""},
        Hostile{"ControlCharacters", "\x01\x1B[2J\n", 0, "", "ARCH\x01\x1B[2J", ""},
        Hostile{"NameWithNul", std::string("UR\0N1\n", 6), 1,
                error_line("cannot create the data file: the name contains a NUL character"), "ARCHUR",
                std::nullopt},
        Hostile{"NameCrLf", "URN10\r\n3\r\n1\r\n\r\n", 0, "", "ARCHURN10", urn10_lines(3)},
        Hostile{"NameOf4CrLf", "URN1\r\n", 0, "", "ARCHURN1", ""},
        Hostile{"NAbc", "URN10\nabc\n1\n", 2, error_line(kN + "is not an integer: read \"abc\""),
                "ARCHURN10", ""},
        Hostile{"N12abc", "URN10\n12abc\n1\n", 2, error_line(kN + "is not an integer: read \"12abc\""),
                "ARCHURN10", ""},
        // Typed text in a message: control characters as '?', at most 80
        // characters quoted.
        Hostile{"NWithTerminalEscape", "URN10\n\x1B[2J7\n1\n", 2,
                error_line(kN + "is not an integer: read \"?[2J7\""), "ARCHURN10", ""},
        Hostile{"NOf100Letters", "URN10\n" + std::string(100, 'x') + "\n1\n", 2,
                error_line(kN + "is not an integer: read \"" + std::string(80, 'x') +
                    "\" (its first 80 characters)"),
                "ARCHURN10", ""},
        Hostile{"MOf81Digits", "URN10\n2\n" + std::string(81, '9') + "\n", 2,
                error_line(kM + kRange + "\"" + std::string(80, '9') + "\" (its first 80 characters)"),
                "ARCHURN10", ""},
        Hostile{"NameWithSlashAndEscape", "\x1B]/\n", 1,
                error_line("cannot create the data file \"ARCH?]/\": the name must not contain '/'"),
                "ARCH", std::nullopt},
        Hostile{"NPlus7", "URN10\n+7\n1\n\n", 0, "", "ARCHURN10", urn10_lines(7)},
        Hostile{"NMinus3", "URN10\n-3\n2\n\n", 0, "", "ARCHURN10", ""},
        Hostile{"NRepeat", "URN10\n3*5\n1\n\n", 0, "", "ARCHURN10", urn10_lines(5)},
        Hostile{"NComma", "URN10\n,\n1\n\n", 0, "", "ARCHURN10", ""},
        Hostile{"NSlash", "URN10\n/\n1\n\n", 0, "", "ARCHURN10", ""},
        Hostile{"NMaxNoSequence", "URN10\n2147483647\n0\n\n", 0, "", "ARCHURN10", ""},
        Hostile{"NMaxStub", "URN07\n2147483647\n1\n\n", 0, "", "ARCHURN07", ""},
        Hostile{"NMaxNotImplemented", "URN40\n2147483647\n2147483647\n\n", 0, "", "ARCHURN40", ""},
        Hostile{"NTooLarge", "URN10\n2147483648\n1\n", 2, error_line(kN + kRange + "\"2147483648\""),
                "ARCHURN10", ""},
        Hostile{"NTooSmall", "URN10\n-2147483649\n1\n", 2, error_line(kN + kRange + "\"-2147483649\""),
                "ARCHURN10", ""},
        Hostile{"NHuge", "URN10\n99999999999999999999\n1\n", 2,
                error_line(kN + kRange + "\"99999999999999999999\""), "ARCHURN10", ""},
        Hostile{"NAfterBlankLinesAndTabs", "URN10\n\n\t\n \t 2\n1\n\n", 0, "", "ARCHURN10",
                urn10_lines(2)},
        Hostile{"MAbc", "URN10\n2\nabc\n", 2, error_line(kM + "is not an integer: read \"abc\""),
                "ARCHURN10", ""},
        Hostile{"MDecimal", "URN10\n2\n1.5\n", 2, error_line(kM + "is not an integer: read \"1.5\""),
                "ARCHURN10", ""},
        Hostile{"MMinus3", "URN10\n2\n-3\n\n", 0, "", "ARCHURN10", ""},
        Hostile{"MComma", "URN10\n2\n,\n\n", 0, "", "ARCHURN10", ""},
        Hostile{"MRepeat", "URN10\n2\n2*2\n\n", 0, "", "ARCHURN10", urn10_lines(4)},
        Hostile{"MTooLarge", "URN10\n2\n2147483648\n", 2, error_line(kM + kRange + "\"2147483648\""),
                "ARCHURN10", ""},
        Hostile{"EndAfterName", "URN10\n", 2,
                error_line("end of input while reading N (values per sequence)"), "ARCHURN10", ""},
        Hostile{"EndAfterN", "URN10\n2\n", 2,
                error_line("end of input while reading M (number of sequences)"), "ARCHURN10", ""},
        Hostile{"EndAfterM", "URN10\n2\n1\n", 0, "", "ARCHURN10", urn10_lines(2)},
        Hostile{"EndAfterMWithoutLineEnd", "URN10\n2\n1", 0, "", "ARCHURN10", urn10_lines(2)},
        Hostile{"PauseOneCharacter", "URN10\n1\n1\nx\n", 0, "", "ARCHURN10", urn10_lines(1)},
        Hostile{"PauseBlanksAndTabs", "URN10\n1\n1\n \t  \t\n", 0, "", "ARCHURN10",
                urn10_lines(1)}),
    [](const ::testing::TestParamInfo<Hostile>& info) { return std::string(info.param.label); });

TEST(HostileInput, CrLfAnswersWorkExactlyLikeLf) {
    const auto lf_dir = make_temp_dir();
    const auto crlf_dir = make_temp_dir();
    const ProgramRun lf = run_program(lf_dir, "URN01\n5\n2\n\n");
    const ProgramRun cr = run_program(crlf_dir, "URN01\r\n5\r\n2\r\n\r\n");
    EXPECT_EQ(cr.status, 0);
    EXPECT_EQ(cr.out, lf.out);
    EXPECT_EQ(read_file(crlf_dir / "ARCHURN01"), read_file(lf_dir / "ARCHURN01"));
}

TEST(HostileInput, PauseLineKeepsItsFirst128Characters) {
    const auto dir = make_temp_dir();
    // "touch " and 122 letters make 128 characters; the rest is dropped.
    const std::string kept(122, 'a');
    const ProgramRun run =
        run_program(dir, "URN10\n1\n1\ntouch " + kept + std::string(372, 'b') + "\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(fs::exists(dir / kept));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
}

TEST(HostileInput, PauseCommandWithCrLfLineEnd) {
    const auto dir = make_temp_dir();
    EXPECT_EQ(run_program(dir, "URN10\r\n1\r\n1\r\ntouch made\r\n").status, 0);
    EXPECT_TRUE(fs::exists(dir / "made"));
}

TEST(HostileInput, RandomBytesNeverCrash) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 40; ++round) {
        std::string input;
        const int length = static_cast<int>(random() % 200);
        for (int i = 0; i < length; ++i) input += static_cast<char>(random() % 256);
        const auto dir = make_temp_dir();
        const ProgramRun run = run_program(dir, input);
        EXPECT_TRUE(run.status == 0 || run.status == 1 || run.status == 2) << run.status;
    }
}

// What the dialogue printed before the failed answer stays.
TEST(HostileInput, FailureKeepsWhatWasWritten) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN01\nabc\n");
    EXPECT_EQ(run.status, 2);
    const std::string head = dialogue_head("URN01");
    EXPECT_EQ(run.out + "\r\n", head.substr(0, head.rfind("Entre")));
}

}  // namespace
}  // namespace tamboril::testing
