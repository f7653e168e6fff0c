// Console lines of URN11 to URN14, URN21, URN22, URN28 and URN30 around a
// first call with no values, and calls that run past one block of samples.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "generators/catalogue.hpp"
#include "records/console.hpp"
#include "records/input.hpp"
#include "tests/support/session.hpp"

namespace tamboril::generators {
namespace {

using testing::GeneratorSession;

std::string heading(const std::string& n11, bool colon) {
    return "LA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO SIGUIENTE A LOS" + n11 +
           "\r\nYA GENERADOS) ES" + (colon ? ":" : "");
}

struct FirstCallCase {
    const char* name;
    std::string start;  // lines before the values, if any
    std::string state;  // state lines after a first call without values
    bool colon = false;
};

TEST(G4Reports, FirstCallWithoutValues) {
    const std::string u11 =
        "        IX=          1   L=  452807053   C=             .0   ZZ=   2147484000.0";
    const std::string u12 =
        "        IX=          1   L=  452807053   C2=             .0   ZZ2=   2147483648.0";
    const std::string u13 =
        "INTIN(1)=         524287     INTIN(2)=             15\r\n"
        "INTIN(3)=          32767     INTIN(4)=          20251\r\n"
        "INTIN(5)=          24173";
    const std::string u14 = "        IX=  197249728   JX=          0";
    const std::string u22 = "        M1=         0.D+08";
    const std::string u28 = "IX=                   1";
    const std::vector<FirstCallCase> cases = {
        {"URN11", u11, u11},
        {"URN12", u12, u12},
        {"URN13", u13, u13},
        {"URN14", u14, u14},
        // Nothing before the values; the heading ends with a colon.
        {"URN21", "",
         "         M1 =   32007779   , M2 =   23717810   , M3 =   52636370", true},
        {"URN22", u22, u22},
        {"URN28", u28, u28},
        // The call opens stream 1 even without values.
        {"URN30", "ISTRM=                   0     IZ=                   0",
         "ISTRM=                   1     IZ=           281629770"},
    };
    const std::pair<std::int32_t, std::string> counts[] = {{0, "          0"},
                                                           {-3, "         -3"}};
    for (const auto& c : cases) {
        for (const auto& [n, n11] : counts) {
            SCOPED_TRACE(std::string(c.name) + " N=" + n11);
            GeneratorSession h(c.name);
            h.call(n);
            const std::string expected = (c.start.empty() ? "" : c.start + "\r\n") +
                                         heading(n11, c.colon) + "\r\n" + c.state;
            EXPECT_EQ(h.out(), expected);
            EXPECT_TRUE(h.samples().empty());
            // Later calls print nothing.
            h.call(n);
            h.call(2);
            EXPECT_EQ(h.out(), expected);
            EXPECT_EQ(h.samples().size(), 2u);
        }
    }
}

TEST(G4Reports, Urn22CallsLongerThanItsWorkArray) {
    // One call of 25000 values, then one of 3: a single stream throughout.
    GeneratorSession h("URN22");
    h.call(25000);
    h.call(3);
    ASSERT_EQ(h.samples().size(), 25003u);
    std::uint32_t x = 32007779;
    for (std::size_t i = 0; i < h.samples().size(); ++i) {
        x = 69069u * x + 1u;
        ASSERT_EQ(h.samples()[i], static_cast<float>(x * 2.3283064e-10)) << i;
    }
}

TEST(G4Reports, Urn30CallsLongerThanOneBlock) {
    // A call of 9000 values spans blocks of one stream; the next call is stream 2.
    GeneratorSession h("URN30");
    h.call(9000);
    h.call(1);
    ASSERT_EQ(h.samples().size(), 9001u);
    std::int64_t z = 281629770;
    for (std::size_t i = 0; i < 9000; ++i) {
        z = z * 630360016 % 2147483647;
        ASSERT_EQ(h.samples()[i], static_cast<float>(2 * (z / 256) + 1) / 16777216.0f) << i;
    }
    EXPECT_NE(h.out().find("IZ=" + std::string(20 - std::to_string(z).size(), ' ') +
                                      std::to_string(z)),
              std::string::npos);
    EXPECT_EQ(h.samples()[9000], 0.5928806663f);
}

}  // namespace
}  // namespace tamboril::generators
