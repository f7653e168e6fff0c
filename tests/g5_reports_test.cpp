// URN31 to URN39 through the generator operation: starting-state lines and
// the first-call report when the first call asks for no values.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "generators/catalogue.hpp"
#include "tests/support/session.hpp"

namespace tamboril::testing {
namespace {


const std::string kHeadingZero =
    "LA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO SIGUIENTE A LOS          0\r\n"
    "YA GENERADOS) ES\r\n";

struct EmptyCallCase {
    const char* name;
    std::string start;   // starting-state lines
    std::string report;  // state lines after the empty call
};

TEST(G5Reports, FirstCallWithNoValues) {
    const std::string ixx = "IXX=             1234567";
    const std::string intin1 = "INTIN(1)=               32767";
    const std::string intin = "INTIN(1)=          32767     INTIN(2)=              0\r\n"
                              "INTIN(3)=          32767     INTIN(4)=          37252\r\n"
                              "INTIN(5)=          29589";
    const std::string ones = "KW=              1   KY=              1   KZ=              1\r\n";
    const EmptyCallCase cases[] = {
        {"URN31   ", ixx, ixx},
        {"URN32   ", ixx, ixx},
        // 12345678 shown with seven significant digits.
        {"URN33   ", "XI=12345680.00    ", "XI=12345680.00    "},
        // The empty call still primes the tables: ten steps of each component.
        {"URN34   ", ones + "XR= .4530000000",
         "KW=           1913   KY=           1995   KZ=            997\r\nXR= .4530000000"},
        {"URN35   ", ones + "XR= .0000000000", ones + "XR= .0000000000"},
        {"URN36   ", intin, intin},
        {"URN37   ", intin1, intin1},
        {"URN38   ", intin1, intin1},
        {"URN39   ", "SEED=.6180339887D+00\r\nITOTAL39 =                   0",
         "SEED=.6180339887D+00\r\nITOTAL39 =                   0"},
    };
    for (const EmptyCallCase& c : cases) {
        GeneratorSession session(c.name);
        EXPECT_TRUE(session.call(0).empty()) << c.name;
        EXPECT_EQ(session.out(), c.start + "\r\n" + kHeadingZero + c.report) << c.name;
        // Later calls print nothing.
        session.call(0);
        EXPECT_EQ(session.out(), c.start + "\r\n" + kHeadingZero + c.report) << c.name;
    }
}

}  // namespace
}  // namespace tamboril::testing
