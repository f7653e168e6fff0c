// End-to-end runs of URN11 to URN14, URN21, URN22, URN28 and URN30 with
// N = 5 and M = 2: console transcript and data file, byte for byte, written
// from the templates and the worked states.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/program.hpp"

namespace tamboril::testing {
namespace {

const std::string kHeadingFive =
    "LA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO SIGUIENTE A LOS          5\r\n"
    "YA GENERADOS) ES";

struct Transcript {
    const char* name;
    std::string lines;  // everything the generator prints
    std::string data;
};

TEST(G4EndToEnd, FiveValuesTwoSequences) {
    const Transcript cases[] = {
        {"URN14",
         "        IX=  197249728   JX=          0\r\n" + kHeadingFive +
             "\r\n        IX=  161119153   JX=      12779",
         crlf({".8636877537", ".5419831276", ".0896787122", ".2675454617", ".1243813187",
               ".0340611860", ".6719702482", ".4001303613", ".0498044975", ".3774738014"})},
        {"URN11",
         "        IX=          1   L=  452807053   C=             .0   ZZ=   2147484000.0\r\n" +
             kHeadingFive +
             "\r\n        IX= 1178063325   L=  452807053   C=             .0   ZZ=   2147484000.0",
         crlf({".2108547091", ".2017735988", ".5390731096", ".5495926738", ".5485785007",
               ".8828005195", ".3748314381", ".5348496437", ".0069857626", ".5859192610"})},
        {"URN12",
         "        IX=          1   L=  452807053   C2=             .0   ZZ2=   2147483648.0\r\n" +
             kHeadingFive +
             "\r\n        IX= 1178063325   L=  452807053   C2=             .0   ZZ2=   2147483648.0",
         crlf({".2108547091", ".2017735988", ".5390731096", ".5495926738", ".5485785007",
               ".8828005195", ".6251685619", ".4651503861", ".9930142164", ".4140807092"})},
        {"URN13",
         "INTIN(1)=         524287     INTIN(2)=             15\r\n"
         "INTIN(3)=          32767     INTIN(4)=          20251\r\n"
         "INTIN(5)=          24173\r\n" +
             kHeadingFive +
             "\r\n"
             "INTIN(1)=         524287     INTIN(2)=          28071\r\n"
             "INTIN(3)=          26563     INTIN(4)=          20251\r\n"
             "INTIN(5)=          24173",
         crlf({".7962951660", ".8435668945", ".0458374023", ".1449890137", ".2141418457",
               ".4632873535", ".8306274414", ".6581115723", ".5232849121", ".9158325195"})},
        {"URN21",
         kHeadingFive + ":\r\n         M1 =   45718539   , M2 =   38799351   , M3 =   69236743",
         crlf({".0836331621", ".8471749425", ".4571853876", ".3879935145", ".6923674345",
               ".5375599265", ".6179208159", ".8478481770", ".0033289099", ".4690979123"})},
        {"URN22", "        M1=         0.D+08\r\n" + kHeadingFive + "\r\n        M1=         0.D+10",
         crlf({".7292482853", ".4509747922", ".3785846829", ".4668490589", ".7991745472",
               ".1891802847", ".4931670129", ".5524482131", ".0460648313", ".6518341899"})},
        {"URN28", "IX=                   1\r\n" + kHeadingFive + "\r\nIX=          1144108930",
         crlf({".0000078264", ".1315377951", ".7556053400", ".4586501420", ".5327672362",
               ".2189591825", ".0470446162", ".6788647175", ".6792964339", ".9346929193"})},
        // The second sequence is stream 2, not the continuation of stream 1.
        {"URN30",
         "ISTRM=                   0     IZ=                   0\r\n" + kHeadingFive +
             "\r\nISTRM=                   1     IZ=           526783799",
         crlf({".1887487769", ".2594384551", ".5780071616", ".6454765201", ".2453028560",
               ".5928806663", ".4364566207", ".5565776229", ".6179093719", ".7689970136"})},
    };
    for (const Transcript& c : cases) {
        SCOPED_TRACE(c.name);
        const auto dir = make_temp_dir();
        const ProgramRun run = run_program(dir, std::string(c.name) + "\n5\n2\n\n");
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, dialogue_head(c.name) + "\r\n" + c.lines + normal_tail(c.name));
        EXPECT_EQ(read_file(dir / ("ARCH" + std::string(c.name))), c.data);
        std::filesystem::remove_all(dir);
    }
}

}  // namespace
}  // namespace tamboril::testing
