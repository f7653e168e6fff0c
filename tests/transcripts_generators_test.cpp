// Every name of the catalogue end to end, with answers piped: the console
// transcript and the data file, byte for byte. The generators' lines are
// written from their templates and worked states, the data lines are their
// worked values.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "generators/catalogue.hpp"
#include "tests/support/program.hpp"

namespace tamboril::testing {
namespace {

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

// URN04's IX and its ITABLE, never assigned: all zero.
std::string urn04_state() {
    std::string block = "        IX=          0\r\n        ITABLE=\r\n";
    std::string zeros14;
    for (int i = 0; i < 14; ++i) zeros14 += "       0 ";
    zeros14.pop_back();
    for (int r = 0; r < 9; ++r) block += zeros14 + "\r\n";
    return block + "       0        0";
}

enum class Ending { Normal, NotImplemented };

struct GeneratorRun {
    const char* name;
    int n;
    int m;
    Ending ending;
    std::string lines;  // what the generator prints, between the dialogue and its ending
    std::string data;   // the data file
};

// The seed-routine stubs: their one call prints IX before and after.
GeneratorRun stub(const char* name) {
    return {name, 5, 2, Ending::NotImplemented,
            "        IX=     524287\r\n" + plain_heading(5) + "\r\n        IX=     524287", ""};
}

GeneratorRun not_implemented(const char* name) { return {name, 5, 2, Ending::NotImplemented, "", ""}; }

const std::string kOnes = "KW=              1   KY=              1   KZ=              1\r\n";

// URN08 and URN09 give the same transcript and the same file.
const std::string kRanduLines =
    "        IX=     524287\r\n" + plain_heading(5) + "\r\n        IX=  100859661";
const std::string kRanduData =
    crlf({".0007019029", ".0020141560", ".0057678097", ".0164794549", ".0469664410",
          ".1334835440", ".3782033324", ".0678680390", ".0033782856", ".4094573557"});

const GeneratorRun kRuns[] = {
    {"URN01", 5, 2, Ending::Normal,
     "        IX=     524287\r\n" + parenthesised_heading(5) + "\r\n        IX= 2011335576",
     // States 221757021, 1186124402, 102129313, 647929638, 2011335576, ... over
     // 2147483647, rounded to single precision and shown with ten decimals.
     crlf({".1032636613", ".5523322225", ".0475576669", ".3017157614", ".9366011024",
           ".4549224079", ".8807012439", ".9458127618", ".2747268677", ".3343341351"})},
    // A one-blank line stands before URN02's heading.
    {"URN02", 5, 2, Ending::Normal,
     kUrn02Start + "\r\n \r\n" + parenthesised_heading(5) + "\r\n" + kUrn02AfterFive,
     crlf({".4972333312", ".8584862947", ".5189788938", ".6030181646", ".3803300261",
           ".5372720361", ".9118363857", ".7305058837", ".8624336720", ".2069818676"})},
    {"URN03", 5, 2, Ending::Normal,
     "IX=           1     JX=           0\r\n" + colon_heading(5) +
         "\r\nIX=    26542323     JX=           0",
     crlf({".0000305190", ".0001831097", ".0008239872", ".0032959362", ".0123597328",
           ".0444949679", ".1557322145", ".5339385867", ".8020416498", ".0068023992"})},
    // One call prints the table around the heading; the file stays empty.
    {"URN04", 5, 2, Ending::NotImplemented,
     urn04_state() + "\r\n" + colon_heading(5) + "\r\n" + urn04_state(), ""},
    {"URN05", 5, 2, Ending::Normal,
     kUrn05Start + "\r\n" + plain_heading(5) + "\r\n" + kUrn05AfterFive,
     crlf({".3696329594", ".4063137174", ".4287784398", ".4741138816", ".9531577826",
           ".7738666534", ".1031532660", ".5598877668", ".3392969668", ".3645249605"})},
    {"URN06", 5, 2, Ending::Normal,
     "        IX=          1   JX=          0\r\n" + plain_heading(5) +
         "\r\n        IX=   26542323   JX=          0",
     crlf({".0000305190", ".0001831097", ".0008239872", ".0032959362", ".0123597328",
           ".0444949679", ".1557322145", ".5339385867", ".1979583651", ".0068023992"})},
    stub("URN07"),
    {"URN08", 5, 2, Ending::Normal, kRanduLines, kRanduData},
    {"URN09", 5, 2, Ending::Normal, kRanduLines, kRanduData},
    {"URN10", 10, 1, Ending::Normal,
     "        IX=          1\r\n" + plain_heading(10) + "\r\n        IX=       6057",
     // States 125, 7433, 3429, 2641, 2445, 2521, ... over 8192, exact.
     crlf({".0152587891", ".9073486328", ".4185791016", ".3223876953", ".2984619141",
           ".3077392578", ".4674072266", ".4259033203", ".2379150391", ".7393798828"})},
    {"URN11", 5, 2, Ending::Normal,
     "        IX=          1   L=  452807053   C=             .0   ZZ=   2147484000.0\r\n" +
         plain_heading(5) +
         "\r\n        IX= 1178063325   L=  452807053   C=             .0   ZZ=   2147484000.0",
     crlf({".2108547091", ".2017735988", ".5390731096", ".5495926738", ".5485785007",
           ".8828005195", ".3748314381", ".5348496437", ".0069857626", ".5859192610"})},
    {"URN12", 5, 2, Ending::Normal,
     "        IX=          1   L=  452807053   C2=             .0   ZZ2=   2147483648.0\r\n" +
         plain_heading(5) +
         "\r\n        IX= 1178063325   L=  452807053   C2=             .0   ZZ2=   2147483648.0",
     crlf({".2108547091", ".2017735988", ".5390731096", ".5495926738", ".5485785007",
           ".8828005195", ".6251685619", ".4651503861", ".9930142164", ".4140807092"})},
    {"URN13", 5, 2, Ending::Normal,
     "INTIN(1)=         524287     INTIN(2)=             15\r\n"
     "INTIN(3)=          32767     INTIN(4)=          20251\r\n"
     "INTIN(5)=          24173\r\n" +
         plain_heading(5) +
         "\r\n"
         "INTIN(1)=         524287     INTIN(2)=          28071\r\n"
         "INTIN(3)=          26563     INTIN(4)=          20251\r\n"
         "INTIN(5)=          24173",
     crlf({".7962951660", ".8435668945", ".0458374023", ".1449890137", ".2141418457",
           ".4632873535", ".8306274414", ".6581115723", ".5232849121", ".9158325195"})},
    {"URN14", 5, 2, Ending::Normal,
     "        IX=  197249728   JX=          0\r\n" + plain_heading(5) +
         "\r\n        IX=  161119153   JX=      12779",
     crlf({".8636877537", ".5419831276", ".0896787122", ".2675454617", ".1243813187",
           ".0340611860", ".6719702482", ".4001303613", ".0498044975", ".3774738014"})},
    stub("URN15"),
    stub("URN16"),
    stub("URN17"),
    stub("URN18"),
    stub("URN19"),
    // No starting line; the IX line follows every sequence, the heading the first.
    {"URN20", 5, 3, Ending::Normal,
     "IX=           935512160\r\n" + plain_heading(5) +
         "\r\n"
         "IX=           935512160\r\n"
         "IX=           671598445\r\n"
         "IX=           559219621",
     crlf({".5422847271", ".4752759337", ".0092730392", ".6210845709", ".4356318116",
           ".3674460649", ".7066721916", ".9937448502", ".7420902252", ".3127374053",
           ".3624169827", ".2699217796", ".3222034276", ".9269585013", ".2604069412"})},
    // Nothing before the values.
    {"URN21", 5, 2, Ending::Normal,
     colon_heading(5) + "\r\n         M1 =   45718539   , M2 =   38799351   , M3 =   69236743",
     crlf({".0836331621", ".8471749425", ".4571853876", ".3879935145", ".6923674345",
           ".5375599265", ".6179208159", ".8478481770", ".0033289099", ".4690979123"})},
    {"URN22", 5, 2, Ending::Normal,
     "        M1=         0.D+08\r\n" + plain_heading(5) + "\r\n        M1=         0.D+10",
     crlf({".7292482853", ".4509747922", ".3785846829", ".4668490589", ".7991745472",
           ".1891802847", ".4931670129", ".5524482131", ".0460648313", ".6518341899"})},
    not_implemented("URN23"),
    not_implemented("URN24"),
    not_implemented("URN25"),
    not_implemented("URN26"),
    not_implemented("URN27"),
    {"URN28", 5, 2, Ending::Normal,
     "IX=                   1\r\n" + plain_heading(5) + "\r\nIX=          1144108930",
     crlf({".0000078264", ".1315377951", ".7556053400", ".4586501420", ".5327672362",
           ".2189591825", ".0470446162", ".6788647175", ".6792964339", ".9346929193"})},
    not_implemented("URN29"),
    // The second sequence is stream 2, not the continuation of stream 1.
    {"URN30", 5, 2, Ending::Normal,
     "ISTRM=                   0     IZ=                   0\r\n" + plain_heading(5) +
         "\r\nISTRM=                   1     IZ=           526783799",
     crlf({".1887487769", ".2594384551", ".5780071616", ".6454765201", ".2453028560",
           ".5928806663", ".4364566207", ".5565776229", ".6179093719", ".7689970136"})},
    {"URN31", 5, 2, Ending::Normal,
     "IXX=             1234567\r\n" + plain_heading(5) + "\r\nIXX=            13095613",
     crlf({".8709518313", ".7689390779", ".9016053081", ".2600225806", ".7805593610",
           ".5414028764", ".2557118535", ".9827552438", ".4865543246", ".8386622071"})},
    {"URN32", 5, 2, Ending::Normal,
     "IXX=             1234567\r\n" + plain_heading(5) + "\r\nIXX=            27701903",
     crlf({".2266649902", ".0767829120", ".2222327888", ".0977832973", ".8255810738",
           ".5950334072", ".8473787308", ".9225556850", ".4349084198", ".8488490582"})},
    // States 12345678 and 66809528 with seven significant digits.
    {"URN33", 5, 2, Ending::Normal,
     "XI=12345680.00    \r\n" + plain_heading(5) + "\r\nXI=66809530.00    ",
     crlf({".6648718119", ".6841776371", ".7451881766", ".6616182923", ".6680949926",
           ".2054083943", ".4315218329", ".6313408613", ".5811896324", ".8525153995"})},
    // The second sequence starts from refilled tables.
    {"URN34", 5, 2, Ending::Normal,
     kOnes + "XR= .4530000000\r\n" + plain_heading(5) +
         "\r\nKW=            698   KY=            321   KZ=            955\r\nXR= .0017286740",
     crlf({".9961676598", ".0050028795", ".0217775870", ".8396331072", ".0017286736",
           ".0620826967", ".4869372547", ".7864353657", ".3096489012", ".9586759210"})},
    {"URN35", 5, 2, Ending::Normal,
     kOnes + "XR= .0000000000\r\n" + plain_heading(5) +
         "\r\nKW=          20947   KY=          21133   KZ=          30743\r\nXR= .2501931000",
     crlf({".0136884712", ".0433519743", ".1044402570", ".4873466492", ".2501931190",
           ".7430707812", ".2519544065", ".2165435851", ".4176992178", ".8035410643"})},
    {"URN36", 5, 2, Ending::Normal,
     "INTIN(1)=          32767     INTIN(2)=              0\r\n"
     "INTIN(3)=          32767     INTIN(4)=          37252\r\n"
     "INTIN(5)=          29589\r\n" +
         plain_heading(5) +
         "\r\n"
         "INTIN(1)=          32767     INTIN(2)=         205023\r\n"
         "INTIN(3)=          25851     INTIN(4)=          37252\r\n"
         "INTIN(5)=          29589",
     crlf({".1176757813", ".3009338379", ".7326965332", ".0369262695", ".1954956055",
           ".6812438965", ".7267150879", ".3987121582", ".9492797852", ".4972839355"})},
    {"URN37", 5, 2, Ending::Normal,
     "INTIN(1)=               32767\r\n" + plain_heading(5) + "\r\nINTIN(1)=           275768571",
     crlf({".8830581307", ".8152250648", ".7233797908", ".5910285115", ".1284147501",
           ".8999947309", ".6274554133", ".3795713782", ".1886578202", ".9568312168"})},
    {"URN38", 5, 2, Ending::Normal,
     "INTIN(1)=               32767\r\n" + plain_heading(5) + "\r\nINTIN(1)=               25851",
     crlf({".0970153809", ".5881042480", ".4165954590", ".6430358887", ".7889099121",
           ".0553894043", ".9170837402", ".5907897949", ".8792419434", ".8898620605"})},
    // SEED 0.6180339887498948 and, after five values, 0.20635320903576204.
    {"URN39", 5, 2, Ending::Normal,
     "SEED=.6180339887D+00\r\nITOTAL39 =                   0\r\n" + plain_heading(5) +
         "\r\nSEED=.2063532090D+00\r\nITOTAL39 =                   5",
     crlf({".9795626402", ".6888712645", ".2094448358", ".0237264801", ".2063532025",
           ".4722019434", ".3813384771", ".6734848022", ".6601067185", ".8607836366"})},
    not_implemented("URN40"),
    not_implemented("URNWN"),
};

void PrintTo(const GeneratorRun& c, std::ostream* os) { *os << c.name << " with N = " << c.n << ", M = " << c.m; }

class EveryGenerator : public ::testing::TestWithParam<GeneratorRun> {};

TEST_P(EveryGenerator, TranscriptAndDataFile) {
    const GeneratorRun& c = GetParam();
    const auto dir = make_temp_dir();
    const ProgramRun run =
        run_program(dir, std::string(c.name) + "\n" + std::to_string(c.n) + "\n" + std::to_string(c.m) + "\n\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const std::string lines = c.lines.empty() ? "" : "\r\n" + c.lines;
    const std::string tail = c.ending == Ending::Normal ? normal_tail(c.name) : not_implemented_tail(c.name);
    EXPECT_EQ(run.out, dialogue_head(c.name) + lines + tail);
    const auto file = dir / ("ARCH" + std::string(c.name));
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(read_file(file), c.data);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EveryGenerator, ::testing::ValuesIn(kRuns),
                         [](const ::testing::TestParamInfo<GeneratorRun>& info) {
                             return std::string(info.param.name);
                         });

// One row for every row of the catalogue, in its order; the runs that end
// normally are those of the generators that fill values.
TEST(EveryGenerator, OneRowPerCatalogueRow) {
    ASSERT_EQ(std::size(kRuns), generators::kCatalogue.size());
    for (std::size_t i = 0; i < std::size(kRuns); ++i) {
        const auto& entry = generators::kCatalogue[i];
        EXPECT_EQ(kRuns[i].name, entry.short_name());
        EXPECT_EQ(kRuns[i].ending == Ending::Normal, entry.action == generators::Action::Fill)
            << kRuns[i].name;
    }
}

// A stub's one call shows N in its heading; M only decides that it is called.
TEST(Stubs, HeadingShowsNAndTheCallHappensOnce) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN17\n100\n5\n\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, dialogue_head("URN17") + "\r\n        IX=     524287\r\n" + plain_heading(100) +
                           "\r\n        IX=     524287" + not_implemented_tail("URN17"));
    EXPECT_EQ(read_file(dir / "ARCHURN17"), "");
}

TEST(Stubs, NoSequenceNoCall) {
    const auto dir = make_temp_dir();
    const ProgramRun run = run_program(dir, "URN07\n5\n0\n\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, dialogue_head("URN07") + normal_tail("URN07"));
    EXPECT_EQ(read_file(dir / "ARCHURN07"), "");
}

}  // namespace
}  // namespace tamboril::testing
