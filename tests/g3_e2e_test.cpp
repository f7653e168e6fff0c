// End-to-end runs of URN02 to URN09 and URN15 to URN20: console transcript and
// data file, byte for byte, written from the templates and the worked states.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/program.hpp"

namespace tamboril::testing {
namespace {

std::string plain_heading(const char* n11) {
    return std::string("LA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO SIGUIENTE A LOS") +
           n11 + "\r\nYA GENERADOS) ES";
}

// The state lines of the table generators, at the start and after 5 values.
// Five entries of NN have been refilled by then (one of them negative).
// URN02 start.
const std::string kUrn02Start =
    "        ML=      65539   MM=   33554433   MK=  362436069   L=   89347405   MMM=  301467177   KKK=  240420681\r\n"
    "        NN=\r\n"
    "347A50E5 326C0AF7  DE685A8 769727F9 1BBA2C16 10BABA96 11942E23 39CC478E 2F9F9D24 16A4845F  7BFFABA 74C3EE15 4006DD4F 28950373\r\n"
    "2CC7A9DB 480E58B7 29798C8B 635C8633 64499EBC 7649685F 1123F9C8 43D23E61 5F3F4B08 7826F090 5832018E 5786A990 62C6EC83 13734F9C\r\n"
    "2896D594 567C9832 4A977ADC  E5EC953 6C300744 6BB79409 2DF319E0 2B3D1360 6C9B357A 1C0C8FF0 3800A4BF 40A95CE4 76839B19  DB17B2F\r\n"
    "6918516B 7B8F0F60 442A0D52 20AB7919 2070A25E 7611BBA9 474849DF 7C8B0DEB 53D023CE 6D9FEF46 7D91C530  B478BB4 45C26E9F 4DBF9AC7\r\n"
    "7366FDCB 305629D9 2A1C7AF8 1C6DCB3B 4DE86B25 312260FF 58A65D3C 5EDBA816  66686D0  9440578  FD8671D 55D53EE2 2ED81E2F 44AB03B8\r\n"
    "66EFEB57 52D5A3FB 6D8DDF2B 685F1A04  61B4869  CAFD12A 3E60285D 3A3282F8 6B1DD5ED 1B891EB4  F752CD0 1D54304C 44B3AA7D 40D52733\r\n"
    "148D6223 58142A4B 303AAF44 6949EC28 6494F236 403AC1E7 719CF6DA 13983F75 52464E2F 14402C96 76D4AB59 3ED2E3CF 779C3D29 607A9BFD\r\n"
    "4D8A3824  A0D66BD 67625F57 360BA8E2 249A5E43 412497D9 465A79D1 2264B308 53D28497 26A0D19D 3A0B1DB4 34AF002B 5D1FAE1D 65AA201A\r\n"
    "521C9024 6DFAC836  D25924E 2DD327FF 2213B94F  D0D955C  CB02D6F 6CC25FB7 5DD061F1 1AD4BB0A 10FA6C98 7AF65CAE  2D9E6D8 694B7943\r\n"
    "5E31F4A9  AE725FE";

// URN02 after 5.
const std::string kUrn02AfterFive =
    "        ML=      65539   MM=   33554433   MK=  362436069   L=   15398935   MMM=-1409808855   KKK= 1465069693\r\n"
    "        NN=\r\n"
    "5753307D 326C0AF7  DE685A8 769727F9 1BBA2C16 10BABA96 11942E23 39CC478E 2F9F9D24 16A4845F  7BFFABA 74C3EE15 4006DD4F 28950373\r\n"
    "2CC7A9DB 480E58B7 29798C8B 635C8633 64499EBC 7649685F 1123F9C8 43D23E61 5F3F4B08 7826F090 5832018E 5786A990 62C6EC83 13734F9C\r\n"
    "2896D594 567C9832 4A977ADC  E5EC953 6C300744 6BB79409 2DF319E0 2B3D1360 6C9B357A 1C0C8FF0 3800A4BF 40A95CE4 76839B19  DB17B2F\r\n"
    "6918516B 7B8F0F60 442A0D52 20AB7919 2070A25E 1434FAE1 474849DF 7C8B0DEB 53D023CE 6D9FEF46 7D91C530  B478BB4 45C26E9F 4DBF9AC7\r\n"
    "7366FDCB 305629D9 2A1C7AF8 1C6DCB3B 4DE86B25 312260FF 58A65D3C 5EDBA816  66686D0  9440578  FD8671D 55D53EE2 2ED81E2F 44AB03B8\r\n"
    "66EFEB57 52D5A3FB 6D8DDF2B 685F1A04  61B4869  CAFD12A 3E60285D 3A3282F8 6B1DD5ED 1B891EB4  F752CD0 1D54304C 44B3AA7D 40D52733\r\n"
    "A52CC6B9 58142A4B 303AAF44 6949EC28 6494F236 403AC1E7 719CF6DA 13983F75 52464E2F 14402C96 76D4AB59 3ED2E3CF 779C3D29 607A9BFD\r\n"
    "4D8A3824  A0D66BD 67625F57 4172414D 249A5E43 412497D9 465A79D1 2264B308 53D28497 26A0D19D 3A0B1DB4 34AF002B 5D1FAE1D 65AA201A\r\n"
    "521C9024  B0B2045  D25924E 2DD327FF 2213B94F  D0D955C  CB02D6F 6CC25FB7 5DD061F1 1AD4BB0A 10FA6C98 7AF65CAE  2D9E6D8 694B7943\r\n"
    "5E31F4A9  AE725FE";

// URN05 start.
const std::string kUrn05Start =
    "        P=         98   Q=         27   INTSIZ=         31   JJ=          0\r\n"
    "        MFSR=\r\n"
    "  346256726   591599773  1943131421  1173234223  1776849374  1119416586   172236044   985756773  1554281477  1503137291\r\n"
    "  650397619  1618395655   639939067  1448259547  1046853128   659170036  1034934222   279813371   326930100   367002640\r\n"
    "  648480182  1909733845   618563844   845531267   292262469   299413367  2139821356  1005803337   390139420  1161028423\r\n"
    " 2034360736   334070487   565633315   124796253  2104169336  2009751844  1999687407    83223028  1591328966   646701838\r\n"
    " 1935362333   795013136   680356918  1771711842  1324935502  1869840308   356745634  1061920662   614951490   261876461\r\n"
    "  703987800   797463948   178239686  1641708282  1539695556  1334926802   940547749  1957646566  1878491364  2033904942\r\n"
    " 1711106005  2138438575   647734238  1555990485  1210108489  1793192836  1819829578   751843064   345621400   575445974\r\n"
    " 1640918761  1379191461  1617832156   542966103  1305854952  1476721677  1466811698  1842260101  1666639833   217007402\r\n"
    "  685228354   902087789    32432242   789712994   702791444  1081111755  1572116899   321512624   644413114   863989644\r\n"
    " 1348681739    84379947  1955819746   941474606   984690559  1794209263  1704575856  1253913135";

// URN05 after 5.
const std::string kUrn05AfterFive =
    "        P=         98   Q=         27   INTSIZ=         31   JJ=          5\r\n"
    "        MFSR=\r\n"
    "  793780767   872552065   920794714  1018151823  2046890761  1119416586   172236044   985756773  1554281477  1503137291\r\n"
    "  650397619  1618395655   639939067  1448259547  1046853128   659170036  1034934222   279813371   326930100   367002640\r\n"
    "  648480182  1909733845   618563844   845531267   292262469   299413367  2139821356  1005803337   390139420  1161028423\r\n"
    " 2034360736   334070487   565633315   124796253  2104169336  2009751844  1999687407    83223028  1591328966   646701838\r\n"
    " 1935362333   795013136   680356918  1771711842  1324935502  1869840308   356745634  1061920662   614951490   261876461\r\n"
    "  703987800   797463948   178239686  1641708282  1539695556  1334926802   940547749  1957646566  1878491364  2033904942\r\n"
    " 1711106005  2138438575   647734238  1555990485  1210108489  1793192836  1819829578   751843064   345621400   575445974\r\n"
    " 1640918761  1379191461  1617832156   542966103  1305854952  1476721677  1466811698  1842260101  1666639833   217007402\r\n"
    "  685228354   902087789    32432242   789712994   702791444  1081111755  1572116899   321512624   644413114   863989644\r\n"
    " 1348681739    84379947  1955819746   941474606   984690559  1794209263  1704575856  1253913135";

TEST(EndToEndTables, Urn02FiveValuesTwoSequences) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN02\n5\n2\n\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    // A one-blank line stands before this heading.
    const std::string expected =
        dialogue_head("URN02") + "\r\n" + kUrn02Start + "\r\n \r\n" +
        "LA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO (SIGUIENTE A LOS          5\r\n"
        "YA GENERADOS) ES:\r\n" +
        kUrn02AfterFive + normal_tail("URN02");
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(read_file(dir / "ARCHURN02"), crlf({".4972333312", ".8584862947", ".5189788938",
                                                  ".6030181646", ".3803300261", ".5372720361",
                                                  ".9118363857", ".7305058837", ".8624336720",
                                                  ".2069818676"}));
}

TEST(EndToEndTables, Urn05FiveValuesTwoSequences) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN05\n5\n2\n\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const std::string expected = dialogue_head("URN05") + "\r\n" + kUrn05Start + "\r\n" +
                                 plain_heading("          5") + "\r\n" + kUrn05AfterFive +
                                 normal_tail("URN05");
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(read_file(dir / "ARCHURN05"), crlf({".3696329594", ".4063137174", ".4287784398",
                                                  ".4741138816", ".9531577826", ".7738666534",
                                                  ".1031532660", ".5598877668", ".3392969668",
                                                  ".3645249605"}));
}

struct Transcript {
    const char* name;
    std::string state_lines;  // everything between the dialogue and its ending
    std::string data;
};

TEST(EndToEndCongruential, FiveValuesTwoSequences) {
    // URN08 and URN09 give the same transcript and the same file.
    const std::string randu_lines = "        IX=     524287\r\n" + plain_heading("          5") +
                                    "\r\n        IX=  100859661";
    const std::string randu_data =
        crlf({".0007019029", ".0020141560", ".0057678097", ".0164794549", ".0469664410",
              ".1334835440", ".3782033324", ".0678680390", ".0033782856", ".4094573557"});
    const Transcript cases[] = {
        {"URN03",
         "IX=           1     JX=           0\r\n" + plain_heading("          5") +
             ":\r\nIX=    26542323     JX=           0",
         crlf({".0000305190", ".0001831097", ".0008239872", ".0032959362", ".0123597328",
               ".0444949679", ".1557322145", ".5339385867", ".8020416498", ".0068023992"})},
        {"URN06",
         "        IX=          1   JX=          0\r\n" + plain_heading("          5") +
             "\r\n        IX=   26542323   JX=          0",
         crlf({".0000305190", ".0001831097", ".0008239872", ".0032959362", ".0123597328",
               ".0444949679", ".1557322145", ".5339385867", ".1979583651", ".0068023992"})},
        {"URN08", randu_lines, randu_data},
        {"URN09", randu_lines, randu_data},
    };
    for (const Transcript& c : cases) {
        const auto dir = make_temp_dir();
        const ProgramRun run = run_program(dir, std::string(c.name) + "\n5\n2\n\n");
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, dialogue_head(c.name) + "\r\n" + c.state_lines + normal_tail(c.name))
            << c.name;
        EXPECT_EQ(read_file(dir / ("ARCH" + std::string(c.name))), c.data) << c.name;
    }
}

// The IX line after each of the three sequences, the heading once.
TEST(EndToEndCongruential, Urn20FiveValuesThreeSequences) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN20\n5\n3\n\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const std::string expected = dialogue_head("URN20") + "\r\n" +
                                 "IX=           935512160\r\n" + plain_heading("          5") +
                                 "\r\n"
                                 "IX=           935512160\r\n"
                                 "IX=           671598445\r\n"
                                 "IX=           559219621" +
                                 normal_tail("URN20");
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(read_file(dir / "ARCHURN20"),
              crlf({".5422847271", ".4752759337", ".0092730392", ".6210845709", ".4356318116",
                    ".3674460649", ".7066721916", ".9937448502", ".7420902252", ".3127374053",
                    ".3624169827", ".2699217796", ".3222034276", ".9269585013", ".2604069412"}));
}

// One call, its lines, then the not-implemented ending; the file stays empty.
TEST(EndToEndSeedOnly, OneCallThenNotImplemented) {
    struct Case {
        const char* name;
        const char* input;
        const char* n11;
    };
    const Case cases[] = {
        {"URN07", "URN07\n5\n2\n\n", "          5"}, {"URN15", "URN15\n5\n2\n\n", "          5"},
        {"URN16", "URN16\n5\n2\n\n", "          5"}, {"URN17", "URN17\n5\n2\n\n", "          5"},
        {"URN18", "URN18\n5\n2\n\n", "          5"}, {"URN19", "URN19\n5\n2\n\n", "          5"},
        {"URN17", "URN17\n100\n5\n\n", "        100"},
    };
    for (const Case& c : cases) {
        const auto dir = make_temp_dir();
        const ProgramRun run = run_program(dir, c.input);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        const std::string expected = dialogue_head(c.name) + "\r\n        IX=     524287\r\n" +
                                     plain_heading(c.n11) + "\r\n        IX=     524287" +
                                     not_implemented_tail(c.name);
        EXPECT_EQ(run.out, expected) << c.name;
        EXPECT_TRUE(std::filesystem::exists(dir / ("ARCH" + std::string(c.name))));
        EXPECT_EQ(read_file(dir / ("ARCH" + std::string(c.name))), "") << c.name;
    }
}

TEST(EndToEndSeedOnly, NoSequenceNoCall) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN07\n5\n0\n\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, dialogue_head("URN07") + normal_tail("URN07"));
    EXPECT_EQ(read_file(dir / "ARCHURN07"), "");
}

TEST(EndToEndSeedOnly, Urn04PrintsItsZeroTableTwice) {
    std::string block = "        IX=          0\r\n        ITABLE=\r\n";
    const char* zeros14 =
        "       0        0        0        0        0        0        0        0        0"
        "        0        0        0        0        0\r\n";
    for (int r = 0; r < 9; ++r) block += zeros14;
    block += "       0        0";
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN04\n5\n2\n\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const std::string expected = dialogue_head("URN04") + "\r\n" + block + "\r\n" +
                                 plain_heading("          5") + ":\r\n" + block +
                                 not_implemented_tail("URN04");
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(read_file(dir / "ARCHURN04"), "");
}

}  // namespace
}  // namespace tamboril::testing
