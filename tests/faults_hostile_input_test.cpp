// Hostile and unusual answers: each has a fixed outcome (exit status, message
// on standard error, data file).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <optional>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/reference/urn01.hpp"
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
    *os << c.label << ": " << as_literal(c.input) << ", status " << c.status;
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
        Hostile{"NWithNul", std::string("URN10\n1\0" "2\n1\n", 12), 2,
                error_line(kN + "is not an integer: read \"1?2\""), "ARCHURN10", ""},
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

// Random answers after a valid name.
class RandomAnswers {
public:
    explicit RandomAnswers(std::uint32_t seed) : random_(seed) {}

    // A line for N or M. Half of them hold an answer that the reading takes
    // (at most four digits, so that a run stays short), with blanks, a sign
    // or a repeat count before it and noise after the blank, comma or slash
    // that ends it; the other half are noise.
    std::string count_line() {
        if (pick(2) == 0) {
            static const char* const kLead[] = {"", "", " ", "\t", " \t ", "+", "-", "3*", "2*-", "0*"};
            static const char* const kEnd[] = {"", "", " ", ",", "/", "\t", "\r"};
            std::string line = kLead[pick(std::size(kLead))];
            for (int d = 1 + pick(4); d > 0; --d) line += static_cast<char>('0' + pick(10));
            const std::string end = kEnd[pick(std::size(kEnd))];
            line += end;
            if (!end.empty() && end != "\r") line += noise();
            return line;
        }
        return noise();
    }

    // Signs, digits (at most five in a row), repeat stars, commas, slashes,
    // blanks, tabs, carriage returns, control and non-ASCII bytes, NUL,
    // letters, numbers beyond 32 bits and words of more than 80 letters.
    std::string noise() {
        static const char* const kPieces[] = {
            "+", "-", "*", ",", "/", " ", "\t", "\r", ".", "x", "\x1B", "\xFF", "\xC3\xA9", "\x01",
            "99999999999", "-2147483649", "2147483648", "0", "00"};
        std::string line;
        bool digits = false;
        for (int k = pick(5); k > 0; --k) {
            if (pick(2) == 0) {
                if (digits) continue;
                for (int d = 1 + pick(5); d > 0; --d) line += static_cast<char>('0' + pick(10));
                digits = true;
            } else if (pick(40) == 0) {
                line += std::string(70 + pick(30), 'x');
                digits = false;
            } else {
                const std::string piece = kPieces[pick(std::size(kPieces))];
                if (digits && piece.find_first_of("0123456789") == 0) continue;
                line += piece;
                digits = piece.find_last_of("0123456789") == piece.size() - 1;
            }
        }
        if (pick(6) == 0) line.insert(line.begin() + pick(line.size() + 1), '\0');
        return line;
    }

    // A line for the pause: what a shell cannot turn into a command that
    // does anything (no word of these bytes names a built-in command, and
    // the search path finds nothing), of one character or many.
    std::string pause_line() {
        static const char kBytes[] = {'0', '7', ' ', ' ', '\t', '\r', '+', '-', ',', '.', 'x', 'x', '\x01', '\x1B', '\x7F', '\xFF'};
        std::string line;
        const int length = pick(8) == 0 ? 100 + pick(100) : pick(6);
        for (int i = 0; i < length; ++i) line += kBytes[pick(sizeof kBytes)];
        return line;
    }

    // A valid name, then lines for N, M and the pause, each ended by LF or
    // CR LF; some inputs end early, some have lines after the pause.
    std::string input(const std::string& name) {
        std::string text = name + end_of_line();
        const std::string name_line = text;
        text += count_line() + end_of_line();
        text += count_line() + end_of_line();
        text += pause_line() + end_of_line();
        if (pick(4) == 0) text += count_line() + end_of_line();
        if (pick(5) == 0) text.resize(name_line.size() + pick(text.size() - name_line.size() + 1));
        return text;
    }

    int pick(std::size_t n) { return static_cast<int>(random_() % n); }

private:
    std::string end_of_line() { return pick(3) == 0 ? "\r\n" : "\n"; }

    std::mt19937 random_;
};

// The first `count` records of a generator's data file from its plain
// formulation, for the names the random answers follow.
std::string first_records(const std::string& name, std::size_t count) {
    if (name == "URN10") return urn10_records(static_cast<int>(count));
    reference::Run<reference::Urn01> urn01;
    std::vector<float> values(count);
    urn01.sequence(values);
    return expected_data_file(values);
}

// Whether `err` is the one line of a bad answer for N or M, or of the end of
// input before one: "tamboril: the answer for N (values per sequence) is not
// an integer: read "..."", its first 80 characters at most, or "... is
// outside the range ...", or "tamboril: end of input while reading M (number
// of sequences)". The typed text shows no control character.
bool is_answer_error(const std::string& err) {
    for (const std::string answer : {"N (values per sequence)", "M (number of sequences)"}) {
        if (err == error_line("end of input while reading " + answer)) return true;
        for (const std::string what : {" is not an integer: read \"",
                                       " is outside the range -2147483648 to 2147483647: read \""}) {
            const std::string head = "tamboril: the answer for " + answer + what;
            if (!err.starts_with(head)) continue;
            const std::string rest = err.substr(head.size());
            for (const std::string tail : {"\"\n", "\" (its first 80 characters)\n"}) {
                if (!rest.ends_with(tail)) continue;
                const std::string typed = rest.substr(0, rest.size() - tail.size());
                const bool plain = std::none_of(typed.begin(), typed.end(), [](char c) {
                    const auto byte = static_cast<unsigned char>(c);
                    return byte < 0x20 || byte == 0x7F || c == '"';
                });
                const bool cut = tail.size() > 2;
                if (plain && (cut ? typed.size() == 80 : typed.size() <= 80)) return true;
            }
        }
    }
    return false;
}

// Every input gives a documented outcome: no crash; status 0, or 1 when the
// data file reaches the size it may have here, or 2 for a bad answer or the
// end of input, with one line on standard error that says which; a data file
// of whole records, the generator's first values; the dialogue's text up to
// where the run ended.
TEST(HostileInput, RandomAnswersAfterAValidName) {
    // Room for 20 000 records: a run asking for more ends with status 1.
    constexpr std::size_t kRecordsAllowed = 20000;
    const std::string records[] = {first_records("URN10", kRecordsAllowed), first_records("URN01", kRecordsAllowed)};
    const char* const names[] = {"URN10", "URN01", "URN07", "URN23"};
    RandomAnswers answers(20261208);
    int at_n = 0, at_m = 0, at_the_pause = 0, too_large = 0;
    for (int round = 0; round < 120; ++round) {
        const std::string name = names[answers.pick(std::size(names))];
        const std::string input = answers.input(name);
        SCOPED_TRACE("input " + as_literal(input));
        const auto dir = make_temp_dir();
        StreamSetup setup;
        setup.input = input;
        setup.file_size_limit = kRecordsAllowed * 13;
        setup.shell = "PATH=/nonexistent exec \"$TAMBORIL\"";
        const StreamRun run = run_with_streams(dir, setup);

        ASSERT_EQ(run.signal, 0) << "the program was killed";
        EXPECT_TRUE(run.out.starts_with(dialogue_opening(name))) << as_literal(run.out.substr(0, 400));
        const std::string data = read_file(dir / ("ARCH" + name));
        ASSERT_TRUE(fs::exists(dir / ("ARCH" + name)));
        EXPECT_EQ(data.size() % 13, 0u) << "the data file ends inside a record";
        const std::string& stream = records[name == "URN10" ? 0 : 1];
        if (name == "URN10" || name == "URN01") {
            EXPECT_TRUE(data == stream.substr(0, data.size())) << "the data file is not the stream's start";
        } else {
            EXPECT_EQ(data, "");
        }
        const bool closed = run.out.find("LA EJECUCION HA FINALIZADO") != std::string::npos;
        switch (run.status) {
            case 0: {
                // Only the shell speaks: the pause answer's command is not found.
                std::istringstream lines(run.err);
                for (std::string line; std::getline(lines, line);) {
                    EXPECT_TRUE(line.starts_with("sh: ")) << as_literal(line);
                }
                EXPECT_TRUE(run.out.ends_with(normal_tail(name)) || run.out.ends_with(not_implemented_tail(name)))
                    << as_literal(run.out.substr(run.out.size() > 300 ? run.out.size() - 300 : 0));
                ++at_the_pause;  // both endings have the pause
                break;
            }
            case 1:
                EXPECT_EQ(run.err, error_line("cannot write the data file \"ARCH" + name + "\": File too large"));
                EXPECT_EQ(data.size(), kRecordsAllowed * 13);
                EXPECT_FALSE(closed);
                ++too_large;
                break;
            case 2:
                EXPECT_TRUE(is_answer_error(run.err)) << as_literal(run.err);
                EXPECT_FALSE(closed);
                EXPECT_EQ(data, "");
                (run.err.find(" N (") != std::string::npos ? at_n : at_m) += 1;
                break;
            default: ADD_FAILURE() << "status " << run.status << ", " << as_literal(run.err);
        }
    }
    // The answers reach every step of the dialogue.
    EXPECT_GE(at_n, 10);
    EXPECT_GE(at_m, 10);
    EXPECT_GE(at_the_pause, 20);
    EXPECT_GE(too_large, 2);
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
