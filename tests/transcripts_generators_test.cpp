// End-to-end runs of URN01 and URN10: console transcript and data file, byte
// for byte, written from the templates and the worked states.
#include <gtest/gtest.h>

#include "tests/support/program.hpp"

namespace tamboril::testing {
namespace {

TEST(EndToEnd, Urn01FiveValuesTwoSequences) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN01\n5\n2\n\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const std::string expected =
        dialogue_head("URN01") + "\r\n" +
        "        IX=     524287\r\n"
        "LA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO (SIGUIENTE A LOS          5\r\n"
        "YA GENERADOS) ES:\r\n"
        "        IX= 2011335576" +
        normal_tail("URN01");
    EXPECT_EQ(run.out, expected);
    // States 221757021, 1186124402, 102129313, 647929638, 2011335576, ... over
    // 2147483647, rounded to single precision and shown with ten decimals.
    EXPECT_EQ(read_file(dir / "ARCHURN01"), crlf({".1032636613", ".5523322225", ".0475576669",
                                                  ".3017157614", ".9366011024", ".4549224079",
                                                  ".8807012439", ".9458127618", ".2747268677",
                                                  ".3343341351"}));
}

TEST(EndToEnd, Urn10TenValuesOneSequence) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN10\n10\n1\n\n");
    EXPECT_EQ(run.status, 0);
    const std::string expected =
        dialogue_head("URN10") + "\r\n" +
        "        IX=          1\r\n"
        "LA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO SIGUIENTE A LOS         10\r\n"
        "YA GENERADOS) ES\r\n"
        "        IX=       6057" +
        normal_tail("URN10");
    EXPECT_EQ(run.out, expected);
    // States 125, 7433, 3429, 2641, 2445, 2521, ... over 8192, exact.
    EXPECT_EQ(read_file(dir / "ARCHURN10"), crlf({".0152587891", ".9073486328", ".4185791016",
                                                  ".3223876953", ".2984619141", ".3077392578",
                                                  ".4674072266", ".4259033203", ".2379150391",
                                                  ".7393798828"}));
}

}  // namespace
}  // namespace tamboril::testing
