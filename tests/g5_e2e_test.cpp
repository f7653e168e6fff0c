// End-to-end runs of URN31 to URN39 with N = 5 and M = 2: console transcript
// and data file, byte for byte, written from the templates and the worked
// values.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/program.hpp"

namespace tamboril::testing {
namespace {

struct Transcript {
    const char* name;
    std::string start;   // starting-state lines
    std::string report;  // state lines after the first sequence
    std::initializer_list<std::string_view> data;
};

const std::string kHeadingFive =
    "LA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO SIGUIENTE A LOS          5\r\n"
    "YA GENERADOS) ES\r\n";

TEST(G5EndToEnd, FiveValuesTwoSequences) {
    const std::string ones = "KW=              1   KY=              1   KZ=              1\r\n";
    const Transcript transcripts[] = {
        {"URN31", "IXX=             1234567", "IXX=            13095613",
         {".8709518313", ".7689390779", ".9016053081", ".2600225806", ".7805593610", ".5414028764",
          ".2557118535", ".9827552438", ".4865543246", ".8386622071"}},
        {"URN32", "IXX=             1234567", "IXX=            27701903",
         {".2266649902", ".0767829120", ".2222327888", ".0977832973", ".8255810738", ".5950334072",
          ".8473787308", ".9225556850", ".4349084198", ".8488490582"}},
        // States 12345678 and 66809528 with seven significant digits.
        {"URN33", "XI=12345680.00    ", "XI=66809530.00    ",
         {".6648718119", ".6841776371", ".7451881766", ".6616182923", ".6680949926", ".2054083943",
          ".4315218329", ".6313408613", ".5811896324", ".8525153995"}},
        // The second sequence starts from refilled tables.
        {"URN34", ones + "XR= .4530000000",
         "KW=            698   KY=            321   KZ=            955\r\nXR= .0017286740",
         {".9961676598", ".0050028795", ".0217775870", ".8396331072", ".0017286736", ".0620826967",
          ".4869372547", ".7864353657", ".3096489012", ".9586759210"}},
        {"URN35", ones + "XR= .0000000000",
         "KW=          20947   KY=          21133   KZ=          30743\r\nXR= .2501931000",
         {".0136884712", ".0433519743", ".1044402570", ".4873466492", ".2501931190", ".7430707812",
          ".2519544065", ".2165435851", ".4176992178", ".8035410643"}},
        {"URN36",
         "INTIN(1)=          32767     INTIN(2)=              0\r\n"
         "INTIN(3)=          32767     INTIN(4)=          37252\r\n"
         "INTIN(5)=          29589",
         "INTIN(1)=          32767     INTIN(2)=         205023\r\n"
         "INTIN(3)=          25851     INTIN(4)=          37252\r\n"
         "INTIN(5)=          29589",
         {".1176757813", ".3009338379", ".7326965332", ".0369262695", ".1954956055", ".6812438965",
          ".7267150879", ".3987121582", ".9492797852", ".4972839355"}},
        {"URN37", "INTIN(1)=               32767", "INTIN(1)=           275768571",
         {".8830581307", ".8152250648", ".7233797908", ".5910285115", ".1284147501", ".8999947309",
          ".6274554133", ".3795713782", ".1886578202", ".9568312168"}},
        {"URN38", "INTIN(1)=               32767", "INTIN(1)=               25851",
         {".0970153809", ".5881042480", ".4165954590", ".6430358887", ".7889099121", ".0553894043",
          ".9170837402", ".5907897949", ".8792419434", ".8898620605"}},
        // SEED 0.6180339887498948 and, after five values, 0.20635320903576204.
        {"URN39", "SEED=.6180339887D+00\r\nITOTAL39 =                   0",
         "SEED=.2063532090D+00\r\nITOTAL39 =                   5",
         {".9795626402", ".6888712645", ".2094448358", ".0237264801", ".2063532025", ".4722019434",
          ".3813384771", ".6734848022", ".6601067185", ".8607836366"}},
    };
    for (const Transcript& t : transcripts) {
        const auto dir = make_temp_dir();
        const ProgramRun run = run_program(dir, std::string(t.name) + "\n5\n2\n\n");
        EXPECT_EQ(run.status, 0) << t.name;
        EXPECT_EQ(run.err, "") << t.name;
        const std::string expected =
            dialogue_head(t.name) + "\r\n" + t.start + "\r\n" + kHeadingFive + t.report + normal_tail(t.name);
        EXPECT_EQ(run.out, expected) << t.name;
        EXPECT_EQ(read_file(dir / (std::string("ARCH") + t.name)), crlf(t.data)) << t.name;
        std::filesystem::remove_all(dir);
    }
}

}  // namespace
}  // namespace tamboril::testing
