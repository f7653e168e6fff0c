// The generator operations of URN02, URN03, URN05, URN06, URN08, URN09 and URN20
// as the run calls them: starting-state lines, per-sequence lines and the report after the
// first sequence, N = 0, and streams cut into sequences.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "generators/catalogue.hpp"
#include "records/console.hpp"
#include "records/input.hpp"
#include "tests/support/session.hpp"

namespace tamboril::generators {
namespace {

using testing::GeneratorSession;


std::string plain_heading(const std::string& n11) {
    return "LA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO SIGUIENTE A LOS" + n11 +
           "\r\nYA GENERADOS) ES";
}
std::string colon_heading(const std::string& n11) { return plain_heading(n11) + ":"; }

std::string i11(std::int32_t n) {
    std::string digits = std::to_string(n);
    return std::string(11 - digits.size(), ' ') + digits;
}

struct Report {
    const char* name;
    std::int32_t n;
    std::string expected;  // console text of the first call
};

TEST(GeneratorReports, StateAfterTheFirstSequence) {
    const Report cases[] = {
        {"URN03   ", 10,
         "IX=           1     JX=           0\r\n" + colon_heading("         10") +
             "\r\nIX=    14608041     JX=           0"},
        {"URN06   ", 10,
         "        IX=          1   JX=          0\r\n" + plain_heading("         10") +
             "\r\n        IX=   14608041   JX=          0"},
        {"URN06   ", 9,
         "        IX=          1   JX=          0\r\n" + plain_heading("          9") +
             "\r\n        IX= -425112349   JX=          0"},
        {"URN08   ", 10,
         "        IX=     524287\r\n" + plain_heading("         10") +
             "\r\n        IX=  879302999"},
        {"URN09   ", 10,
         "        IX=     524287\r\n" + plain_heading("         10") +
             "\r\n        IX=  879302999"},
        // No starting line; the IX line follows the sequence and the heading.
        {"URN20   ", 10,
         "IX=           671598445\r\n" + plain_heading("         10") +
             "\r\nIX=           671598445"},
        {"URN20   ", 5,
         "IX=           935512160\r\n" + plain_heading("          5") +
             "\r\nIX=           935512160"},
    };
    for (const Report& c : cases) {
        GeneratorSession run(c.name);
        run.call(c.n);
        EXPECT_EQ(run.out(), c.expected) << c.name << " N=" << c.n;
        EXPECT_EQ(run.samples().size(), static_cast<std::size_t>(c.n));
    }
}

TEST(GeneratorReports, TableGeneratorsReportTheirState) {
    {
        GeneratorSession run("URN02   ");
        run.call(10);
        const std::string& out = run.out();
        const std::string report =
            "\r\n \r\nLA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO (SIGUIENTE A LOS"
            "         10\r\nYA GENERADOS) ES:\r\n"
            "        ML=      65539   MM=   33554433   MK=  362436069   L= 1533836757"
            "   MMM= 1173882409   KKK=  263137217\r\n        NN=\r\n";
        EXPECT_NE(out.find(report), std::string::npos) << out;
    }
    {
        // After 98 values the position is back at the last word.
        GeneratorSession run("URN05   ");
        run.call(98);
        const std::string report =
            plain_heading("         98") +
            "\r\n        P=         98   Q=         27   INTSIZ=         31   JJ=         98"
            "\r\n        MFSR=\r\n";
        EXPECT_NE(run.out().find(report), std::string::npos) << run.out();
    }
}

// With N = 0 (or less) the first call still sets the state and prints the
// starting lines, the heading with N and the unchanged state.
TEST(GeneratorReports, NoValuesReportTheStartingState) {
    struct Case {
        const char* name;
        std::string start;  // lines before the heading
        bool colon;         // heading ending in a colon
    };
    const Case cases[] = {
        {"URN03   ", "IX=           1     JX=           0", true},
        {"URN06   ", "        IX=          1   JX=          0", false},
        {"URN08   ", "        IX=     524287", false},
        {"URN09   ", "        IX=     524287", false},
        {"URN20   ", "IX=              524287", false},
    };
    for (const std::int32_t n : {0, -3}) {
        for (const Case& c : cases) {
            GeneratorSession run(c.name);
            run.call(n);
            const std::string heading = c.colon ? colon_heading(i11(n)) : plain_heading(i11(n));
            EXPECT_EQ(run.out(), c.start + "\r\n" + heading + "\r\n" + c.start) << c.name;
            EXPECT_TRUE(run.samples().empty());
        }
        // The tables: the state lines printed first come back unchanged.
        GeneratorSession two("URN02   ");
        two.call(n);
        const std::string heading2 =
            "\r\n \r\nLA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO (SIGUIENTE A LOS" +
            i11(n) + "\r\nYA GENERADOS) ES:\r\n";
        const std::size_t at2 = two.out().find(heading2);
        ASSERT_NE(at2, std::string::npos);
        EXPECT_EQ(two.out().substr(at2 + heading2.size()), two.out().substr(0, at2));
        EXPECT_EQ(two.out().substr(0, 13), "        ML=  ");

        GeneratorSession five("URN05   ");
        five.call(n);
        const std::string heading5 = "\r\n" + plain_heading(i11(n)) + "\r\n";
        const std::size_t at5 = five.out().find(heading5);
        ASSERT_NE(at5, std::string::npos);
        EXPECT_EQ(five.out().substr(at5 + heading5.size()), five.out().substr(0, at5));
        const std::string sizes =
            "        P=         98   Q=         27   INTSIZ=         31   JJ=          0\r\n";
        EXPECT_EQ(five.out().substr(0, sizes.size()), sizes);
    }
}

// Every generator here keeps its whole state between calls: the cut into
// sequences does not change the values, also across blocks of 4096.
TEST(GeneratorReports, SequencesContinueOneStream) {
    const char* const generators[] = {
        "URN02   ", "URN03   ", "URN05   ",
        "URN06   ", "URN08   ", "URN09   ",
        "URN20   ",
    };
    for (const char* name : generators) {
        GeneratorSession whole(name);
        whole.call(10);
        GeneratorSession halves(name);
        halves.call(5);
        const std::size_t after_first = halves.out().size();
        halves.call(5);
        EXPECT_EQ(halves.samples(), whole.samples()) << name;
        // Later calls print nothing, but URN20's IX line.
        const std::string later = halves.out().substr(after_first);
        if (std::string_view(name) == "URN20   ") {
            EXPECT_EQ(later, "\r\nIX=           671598445");
        } else {
            EXPECT_EQ(later, "") << name;
        }

        GeneratorSession long_run(name);
        long_run.call(9000);
        GeneratorSession cut(name);
        for (const std::int32_t n : {4095, 2, 0, 4903}) cut.call(n);
        EXPECT_EQ(cut.samples(), long_run.samples()) << name;
    }
}

}  // namespace
}  // namespace tamboril::generators
