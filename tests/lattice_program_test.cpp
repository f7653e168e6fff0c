// tamboril-lattice as a user runs it: the bad-input table (exit 2, one line on
// standard error, nothing on standard output), the forms of A and M, and the
// CSV layout.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct LatticeRun {
    std::string out, err;
    int status = -1;
};

std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs the program with `args` (each quoted for the shell) in a fresh folder
// that is removed afterwards.
LatticeRun run(const std::vector<std::string>& args) {
    char pattern[] = "/tmp/tamboril-lattice-test-XXXXXX";
    const std::filesystem::path dir = mkdtemp(pattern);
    std::string command = std::string("'") + TAMBORIL_LATTICE_EXE + "'";
    for (const std::string& a : args) command += " '" + a + "'";
    command += " >'" + (dir / "out").string() + "' 2>'" + (dir / "err").string() + "' </dev/null";
    const int raw = std::system(command.c_str());
    LatticeRun r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = slurp(dir / "out");
    r.err = slurp(dir / "err");
    std::filesystem::remove_all(dir);
    return r;
}

std::size_t lines(const std::string& text) {
    std::size_t n = 0;
    for (char c : text) n += c == '\n';
    return n;
}

TEST(LatticeProgramTest, BadInputExitsWithStatus2AndOneLine) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> table = {
        {{}, "give a multiplier and a modulus"},
        {{"x65539", "2^31"}, "the multiplier is not a number"},
        {{"65539", "2^31 "}, "the modulus is not a number"},
        {{"65539", "0x"}, "the modulus is not a number"},
        {{"65539", "1"}, "the modulus must lie in 2 to 2^64"},
        {{"65539", "2^64+1"}, "the modulus is not a number from 2 to 2^64"},
        {{"3", "18446744073709551617"}, "the modulus is not a number from 2 to 2^64"},
        {{"65540", "2^31"}, "is not prime to the modulus"},
        {{"0", "2^31-1"}, "is not prime to the modulus"},
        {{"65539", "2^31", "--dimensions", "1"}, "--dimensions must be a whole number from 2 to 24"},
        {{"65539", "2^31", "--dimensions", "25"}, "--dimensions must be a whole number from 2 to 24"},
        {{"65539", "2^31", "--format", "xml"}, "--format must be text or csv"},
        {{"65539", "2^31", "7"}, "too many arguments"},
        {{"URN99"}, "unknown generator name"},
        {{"urn03"}, "unknown generator name"},
        {{"URN07"}, "unknown generator name"},
        {{"--measure", "URN40"}, "unknown generator name"},
        {{"--catalogue", "URN03"}, "--catalogue takes no"},
        {{"--colour"}, "unknown option"},
    };
    for (const auto& [args, message] : table) {
        std::string shown;
        for (const std::string& a : args) shown += "[" + a + "] ";
        SCOPED_TRACE(shown);
        const LatticeRun r = run(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(lines(r.err), 1u) << r.err;
        EXPECT_EQ(r.err.rfind("tamboril-lattice: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    }
}

// The same modulus in every form gives the same rows; the header is the
// documented one.
TEST(LatticeProgramTest, NumberFormsAndCsvRows) {
    const std::string header = "t,nu_squared,nu,s_t,mu_t,hyperplanes,shortest_vector,hyperplanes_vector\n";
    const LatticeRun decimal = run({"16807", "2147483647", "--format", "csv", "--dimensions", "3"});
    ASSERT_EQ(decimal.status, 0) << decimal.err;
    EXPECT_EQ(decimal.out.substr(0, header.size()), header);
    EXPECT_EQ(lines(decimal.out), 3u);
    // nu_2: (16807, -1) with 16807^2 + 1 = 282475250, 16807 hyperplanes.
    EXPECT_EQ(decimal.out.substr(header.size()).substr(0, 13), "2,282475250,1");
    EXPECT_NE(decimal.out.find(",16807,16807 -1,16807 -1\n"), std::string::npos) << decimal.out;
    for (const std::vector<std::string>& forms : std::vector<std::vector<std::string>>{
             {"0x41A7", "2^31-1"}, {"16807", "0x7FFFFFFF"}, {"16807", "0x7fffffff"}, {"0x41a7", "2147483647"}}) {
        const LatticeRun r = run({forms[0], forms[1], "--format=csv", "--dimensions=3"});
        EXPECT_EQ(r.out, decimal.out) << forms[0] << " " << forms[1];
    }
    const LatticeRun catalogue = run({"URN03", "--format", "csv", "--dimensions", "3"});
    ASSERT_EQ(catalogue.status, 0) << catalogue.err;
    EXPECT_EQ(catalogue.out.substr(0, 24 + header.size()), "name,modulus,multiplier," + header);
    // URN03's odd states span the lattice of 65539 modulo 2^30.
    EXPECT_NE(catalogue.out.find("URN03,1073741824,65539,3,118,"), std::string::npos) << catalogue.out;
}

TEST(LatticeProgramTest, HelpAndTheWholeCatalogue) {
    const LatticeRun help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Exit status: 0"), std::string::npos);
    const LatticeRun all = run({"--catalogue", "--dimensions", "2"});
    ASSERT_EQ(all.status, 0) << all.err;
    std::size_t blocks = 0;
    for (std::size_t at = all.out.find("  period: "); at != std::string::npos; at = all.out.find("  period: ", at + 1)) ++blocks;
    EXPECT_EQ(blocks, 26u);
}

}  // namespace
