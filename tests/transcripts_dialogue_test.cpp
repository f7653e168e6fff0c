// End-to-end runs of the dialogue: endings, pause commands and failures.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "tests/support/program.hpp"

namespace tamboril::testing {
namespace {

namespace fs = std::filesystem;

// The dialogue up to the banner, for a name that is not in the table.
std::string unknown_name_transcript(std::string_view shown) {
    return crlf({
               "Ingresar(mayusculas) el nombre, URN** ,del Generador deseado para obtener el   ",
               "archivo ARCHURN** de Numeros Pseudoaleatorios",
               shown,
               "*****************************************************************************",
               "*  LAS SIGUIENTES SALIDAS HAN SIDO PRODUCIDAS POR EL SISTEMA: \" TAMBORIL \"  *",
               "*  EL PAQUETE ESTA CONSTITUIDO POR RUTINAS PARA LA GENERACION DE NUMEROS    *",
               "*  PSEUDOALEATORIOS EN MICROCOMPUTADORES                                    *  ",
               "*****************************************************************************",
               "ERROR DE TECLEO EN EL NOMBRE DE URN**,RECOMENZAR",
               "Stop - Program terminated.",
           }) +
           "\r\n";
}

struct UnknownCase {
    const char* typed;
    const char* shown;
    const char* file;
};

class UnknownNames : public ::testing::TestWithParam<UnknownCase> {};

TEST_P(UnknownNames, StopAfterTheBannerLeavingAnEmptyFile) {
    const UnknownCase& c = GetParam();
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, std::string(c.typed) + "\n5\n1\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, unknown_name_transcript(c.shown));
    ASSERT_TRUE(fs::exists(dir / c.file)) << c.file;
    EXPECT_EQ(fs::file_size(dir / c.file), 0u);
}

INSTANTIATE_TEST_SUITE_P(Typed, UnknownNames,
                         ::testing::Values(UnknownCase{"URN1", "URN1 ", "ARCHURN1"},
                                           UnknownCase{"urn01", "urn01", "ARCHurn01"},
                                           UnknownCase{"URN00", "URN00", "ARCHURN00"},
                                           UnknownCase{"", "     ", "ARCH"}));

TEST(EndToEnd, SixCharactersSelectTheFirstFive) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN011\n1\n1\n\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, dialogue_head("URN01").size()), dialogue_head("URN01"));
    EXPECT_EQ(read_file(dir / "ARCHURN01"), crlf({".1032636613"}));
}

TEST(EndToEnd, NotImplementedAfterTheCounts) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN23\n5\n1\n\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, dialogue_head("URN23") + not_implemented_tail("URN23"));
    EXPECT_EQ(fs::file_size(dir / "ARCHURN23"), 0u);
}

TEST(EndToEnd, NotImplementedWithNoSequenceEndsNormally) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN23\n5\n0\n\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, dialogue_head("URN23") + normal_tail("URN23"));
}

TEST(EndToEnd, ZeroValuesStillCallTheGenerator) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN01\n0\n3\n\n");
    EXPECT_EQ(run.status, 0);
    const std::string expected =
        dialogue_head("URN01") + "\r\n" +
        "        IX=     524287\r\n"
        "LA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO (SIGUIENTE A LOS          0\r\n"
        "YA GENERADOS) ES:\r\n"
        "        IX=     524287" +
        normal_tail("URN01");
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(fs::file_size(dir / "ARCHURN01"), 0u);
}

TEST(EndToEnd, AnExistingFileIsCutAtTheFirstRecordAndKeptWithoutOne) {
    const auto dir = make_temp_dir();
    const std::string old(1000, 'x');
    {
        std::FILE* f = std::fopen((dir / "ARCHURN01").c_str(), "wb");
        std::fwrite(old.data(), 1, old.size(), f);
        std::fclose(f);
    }
    EXPECT_EQ(run_program(dir, "URN01\n5\n0\n\n").status, 0);
    EXPECT_EQ(read_file(dir / "ARCHURN01"), old);
    EXPECT_EQ(run_program(dir, "URN01\n1\n1\n\n").status, 0);
    EXPECT_EQ(read_file(dir / "ARCHURN01"), crlf({".1032636613"}));
}

TEST(EndToEnd, PauseRunsTheCommandAndWaitsForIt) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN10\n2\n1\necho done > pause.txt; cat ARCHURN10 >> pause.txt  \n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(read_file(dir / "pause.txt"), "done\n" + crlf({".0152587891", ".9073486328"}));
}

TEST(EndToEnd, PauseIgnoresASingleCharacterAndEndOfInput) {
    const auto dir = make_temp_dir();
    EXPECT_EQ(run_program(dir, "URN10\n2\n1\nx\n").status, 0);
    const ProgramRun run = run_program(dir, "URN10\n2\n1\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(run.out.size() - normal_tail("URN10").size()), normal_tail("URN10"));
}

TEST(EndToEnd, NotImplementedPauseRunsTheCommandToo) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN29\n1\n1\ntouch ran\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(fs::exists(dir / "ran"));
}

struct InputFailure {
    const char* input;
    const char* message;
    bool file_created;
};

class InputFailures : public ::testing::TestWithParam<InputFailure> {};

TEST_P(InputFailures, ExitTwoWithOneLine) {
    const InputFailure& c = GetParam();
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, c.input);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, std::string("tamboril: ") + c.message + "\n");
    EXPECT_EQ(fs::exists(dir / "ARCHURN01"), c.file_created);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, InputFailures,
    ::testing::Values(
        InputFailure{"", "end of input while reading the generator name", false},
        InputFailure{"URN01\n", "end of input while reading N (values per sequence)", true},
        InputFailure{"URN01\n5\n", "end of input while reading M (number of sequences)", true},
        InputFailure{"URN01\nabc\n1\n",
                     "the answer for N (values per sequence) is not an integer: read \"abc\"", true},
        InputFailure{"URN01\n5\n1.5\n",
                     "the answer for M (number of sequences) is not an integer: read \"1.5\"", true},
        InputFailure{"URN01\n2147483648\n1\n",
                     "the answer for N (values per sequence) is outside the range -2147483648 to "
                     "2147483647: read \"2147483648\"",
                     true}));

TEST(EndToEnd, InputFailureKeepsWhatWasWritten) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN01\nabc\n");
    EXPECT_EQ(run.status, 2);
    const std::string head = dialogue_head("URN01");
    EXPECT_EQ(run.out + "\r\n", head.substr(0, head.rfind("Entre")));
}

TEST(EndToEnd, DiskFullIsAnErrorWithoutTheClosingMessage) {
    const auto dir = make_temp_dir();
    fs::create_symlink("/dev/full", dir / "ARCHURN01");
    const ProgramRun run = run_program(dir, "URN01\n5\n1\n\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "tamboril: cannot write the data file \"ARCHURN01\": No space left on device\n");
    EXPECT_EQ(run.out.find("LA EJECUCION HA FINALIZADO"), std::string::npos);
}

TEST(EndToEnd, DataFileThatCannotBeCreated) {
    const auto dir = make_temp_dir();
    fs::create_directory(dir / "ARCHURN01");
    const ProgramRun run = run_program(dir, "URN01\n5\n1\n\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "tamboril: cannot create the data file \"ARCHURN01\": Is a directory\n");
    EXPECT_EQ(run.out.find("*****"), std::string::npos);
}

TEST(EndToEnd, NameWithASlashNeverLeavesTheDirectory) {
    const auto dir = make_temp_dir();
    fs::create_directory(dir / "ARCHa");
    const ProgramRun run = run_program(dir, "a/b\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "tamboril: cannot create the data file \"ARCHa/b\": the name must not contain '/'\n");
    EXPECT_FALSE(fs::exists(dir / "ARCHa" / "b"));
}

TEST(EndToEnd, FullSizeRun) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN01\n10000\n1000\n\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(fs::file_size(dir / "ARCHURN01"), 130000000u);
    std::FILE* f = std::fopen((dir / "ARCHURN01").c_str(), "rb");
    char head[65] = {};
    ASSERT_EQ(std::fread(head, 1, 65, f), 65u);
    std::fclose(f);
    EXPECT_EQ(std::string(head, 65), crlf({".1032636613", ".5523322225", ".0475576669",
                                           ".3017157614", ".9366011024"}));
    fs::remove_all(dir);
}

TEST(EndToEnd, MillionValuesPerSequence) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN01\n1000000\n2\n\n");
    EXPECT_EQ(run.status, 0);
    std::minstd_rand0 reference(524287);
    reference.discard(999999);
    const auto millionth = reference();
    char line[32];
    std::snprintf(line, sizeof line, "        IX=%11u", static_cast<unsigned>(millionth));
    EXPECT_NE(run.out.find(std::string("YA GENERADOS) ES:\r\n") + line), std::string::npos);
    reference.discard(999999);
    const auto last = reference();
    const std::string data = read_file(dir / "ARCHURN01");
    ASSERT_EQ(data.size(), 2000000u * 13u);
    const double value = static_cast<float>(static_cast<double>(last) / 2147483647.0);
    EXPECT_EQ(data.substr(data.size() - 13), expected_data_line(value) + "\r\n");
    fs::remove_all(dir);
}

}  // namespace
}  // namespace tamboril::testing
