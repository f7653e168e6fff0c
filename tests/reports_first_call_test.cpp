// The generator operations as the run calls them, with the console kept in
// memory: the starting-state lines, the report heading with N and the state
// after the first call; later calls print only their per-sequence lines; and
// the cut of a run into sequences does not change the values of generators
// that keep their whole state between calls.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "generators/catalogue.hpp"
#include "tests/reference/urn02.hpp"
#include "tests/reference/urn05.hpp"
#include "tests/support/common.hpp"
#include "tests/support/session.hpp"

namespace tamboril::testing {
namespace {

using HeadingText = std::string (*)(std::int32_t);

struct FirstCall {
    const char* name;
    std::string start;    // starting-state lines; empty when there are none
    HeadingText heading;  // the generator's report heading
    // The state lines after a first call without values, for N.
    std::function<std::string(std::int32_t)> state;
    bool later_silent;  // later calls print nothing
};

const std::string kSeeded = "        IX=     524287";
const std::string kIxx = "IXX=             1234567";
const std::string kIntin1 = "INTIN(1)=               32767";
const std::string kOnes = "KW=              1   KY=              1   KZ=              1\r\n";
const std::string kUrn11 =
    "        IX=          1   L=  452807053   C=             .0   ZZ=   2147484000.0";
const std::string kUrn12 =
    "        IX=          1   L=  452807053   C2=             .0   ZZ2=   2147483648.0";
const std::string kUrn13 =
    "INTIN(1)=         524287     INTIN(2)=             15\r\n"
    "INTIN(3)=          32767     INTIN(4)=          20251\r\n"
    "INTIN(5)=          24173";
const std::string kUrn36 =
    "INTIN(1)=          32767     INTIN(2)=              0\r\n"
    "INTIN(3)=          32767     INTIN(4)=          37252\r\n"
    "INTIN(5)=          29589";

FirstCall same(const char* name, const std::string& lines, HeadingText heading, bool later_silent = true) {
    return {name, lines, heading, [lines](std::int32_t) { return lines; }, later_silent};
}

FirstCall changed(const char* name, const std::string& start, HeadingText heading,
                  const std::string& state) {
    return {name, start, heading, [state](std::int32_t) { return state; }, true};
}

// With no values the reported state is the starting state, except where a
// call does work of its own (URN30 opens stream 1, URN34 primes its tables).
// The tables of URN02 and URN05 and URN04's are checked below.
const FirstCall kFirstCalls[] = {
    same("URN01", kSeeded, parenthesised_heading),
    same("URN03", "IX=           1     JX=           0", colon_heading),
    same("URN06", "        IX=          1   JX=          0", plain_heading),
    same("URN07", kSeeded, plain_heading, false),
    same("URN08", kSeeded, plain_heading),
    same("URN09", kSeeded, plain_heading),
    same("URN10", "        IX=          1", plain_heading),
    same("URN11", kUrn11, plain_heading),
    same("URN12", kUrn12, plain_heading),
    same("URN13", kUrn13, plain_heading),
    same("URN14", "        IX=  197249728   JX=          0", plain_heading),
    same("URN15", kSeeded, plain_heading, false),
    same("URN16", kSeeded, plain_heading, false),
    same("URN17", kSeeded, plain_heading, false),
    same("URN18", kSeeded, plain_heading, false),
    same("URN19", kSeeded, plain_heading, false),
    // No starting line: the IX line follows every generation.
    same("URN20", "IX=              524287", plain_heading, false),
    // Nothing before the values.
    changed("URN21", "", colon_heading, "         M1 =   32007779   , M2 =   23717810   , M3 =   52636370"),
    same("URN22", "        M1=         0.D+08", plain_heading),
    same("URN28", "IX=                   1", plain_heading),
    changed("URN30", "ISTRM=                   0     IZ=                   0", plain_heading,
            "ISTRM=                   1     IZ=           281629770"),
    same("URN31", kIxx, plain_heading),
    same("URN32", kIxx, plain_heading),
    // 12345678 shown with seven significant digits.
    same("URN33", "XI=12345680.00    ", plain_heading),
    // Ten steps of each component fill the tables.
    changed("URN34", kOnes + "XR= .4530000000", plain_heading,
            "KW=           1913   KY=           1995   KZ=            997\r\nXR= .4530000000"),
    same("URN35", kOnes + "XR= .0000000000", plain_heading),
    same("URN36", kUrn36, plain_heading),
    same("URN37", kIntin1, plain_heading),
    same("URN38", kIntin1, plain_heading),
    // The count moves by N as given, even when N is negative.
    {"URN39", "SEED=.6180339887D+00\r\nITOTAL39 =                   0", plain_heading,
     [](std::int32_t n) {
         const std::string count = std::to_string(n);
         return "SEED=.6180339887D+00\r\nITOTAL39 =" + std::string(20 - count.size(), ' ') + count;
     },
     true},
};

void PrintTo(const FirstCall& c, std::ostream* os) { *os << c.name; }

class FirstCallWithoutValues : public ::testing::TestWithParam<FirstCall> {};

TEST_P(FirstCallWithoutValues, ReportsTheStateAndLaterCallsPrintNothing) {
    const FirstCall& c = GetParam();
    for (const std::int32_t n : {0, -3}) {
        SCOPED_TRACE("N=" + std::to_string(n));
        GeneratorSession session(c.name);
        EXPECT_TRUE(session.call(n).empty());
        const std::string expected =
            (c.start.empty() ? "" : c.start + "\r\n") + c.heading(n) + "\r\n" + c.state(n);
        EXPECT_EQ(session.out(), expected);
        if (c.later_silent) {
            session.call(n);
            EXPECT_EQ(session.call(2).size(), 2u);
            EXPECT_EQ(session.out(), expected);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Generators, FirstCallWithoutValues, ::testing::ValuesIn(kFirstCalls),
                         [](const ::testing::TestParamInfo<FirstCall>& info) {
                             return std::string(info.param.name);
                         });

// Every operation of the catalogue has a row above, but the three whose
// tables are checked below.
TEST(FirstCallWithoutValues, OneRowPerOperation) {
    std::vector<std::string> expected;
    for (const auto& entry : generators::kCatalogue) {
        const std::string name(entry.short_name());
        if (entry.action != generators::Action::NotImplemented && name != "URN02" && name != "URN04" &&
            name != "URN05") {
            expected.push_back(name);
        }
    }
    std::vector<std::string> rows;
    for (const FirstCall& c : kFirstCalls) rows.emplace_back(c.name);
    EXPECT_EQ(rows, expected);
}

// The state lines of the table generators, written from their templates
// with the state of their plain formulations (tests/reference/):
// "(9X,'NN=',/,9(14(1X,Z8),/),1X,Z8,1X,Z8)" shows "NN=" after 8 blanks, then
// lines of 14 entries, the first entry's blank consumed, and a line of 2;
// "(9X,'MFSR=',/,9(10(1X,I11),/),8(1X,I11))" lines of 10 and a line of 8.

// Z8: the 32 bits in upper-case hexadecimal, leading zeros shown as blanks.
std::string z8(std::int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%8X", static_cast<unsigned>(value));
    return text;
}

std::string table_block(const std::string& label, const std::vector<std::string>& fields,
                        std::size_t per_line) {
    std::string text = "        " + label + "=";
    for (std::size_t i = 0; i < fields.size(); ++i) text += (i % per_line == 0 ? "\r\n" : " ") + fields[i];
    return text;
}

template <std::size_t Size>
std::vector<std::string> z8_fields(const std::array<std::int32_t, Size>& entries) {
    std::vector<std::string> fields;
    for (const std::int32_t entry : entries) fields.push_back(z8(entry));
    return fields;
}

// "(' ',8X,'ML=',I11,'   MM=',I11,'   MK=',I11,'   L=',I11,'   MMM=',I11,'   KKK=',I11)"
// and the table NN.
std::string urn02_state(const reference::Urn02& g) {
    return "        ML=" + i11(g.ML) + "   MM=" + i11(g.MM) + "   MK=" + i11(g.MK) + "   L=" + i11(g.L) +
           "   MMM=" + i11(g.MMM) + "   KKK=" + i11(g.KKK) + "\r\n" + table_block("NN", z8_fields(g.NN), 14);
}

// "(' ',8X,'P=',I11,'   Q=',I11,'   INTSIZ=',I11,'   JJ=',I11)" and the
// register MFSR(1) to MFSR(98).
std::string urn05_state(const reference::Urn05& g) {
    std::vector<std::string> words;
    for (std::size_t j = 1; j <= 98; ++j) words.push_back(i11(g.MFSR[j]));
    return "        P=" + i11(g.P) + "   Q=" + i11(g.Q) + "   INTSIZ=" + i11(g.INTSIZ) + "   JJ=" + i11(g.JJ) +
           "\r\n" + table_block("MFSR", words, 10);
}

// URN04 prints IX, "(' ',8X,'IX=',I11)", and ITABLE, neither ever assigned.
std::string urn04_state() {
    return "        IX=" + i11(0) + "\r\n" + table_block("ITABLE", z8_fields(std::array<std::int32_t, 128>{}), 14);
}

// The state of a formulation after a first call of N values.
template <class Formulation>
Formulation state_after(std::int32_t n) {
    reference::Run<Formulation> run;
    std::vector<float> values(n > 0 ? static_cast<std::size_t>(n) : 0);
    run.sequence(values);
    return run.generator();
}

// The whole console text of a first call: the starting state, the heading
// (for URN02 after a one-blank line) and the state after N values.
std::string urn02_first_call(std::int32_t n) {
    return urn02_state(state_after<reference::Urn02>(0)) + "\r\n \r\n" + parenthesised_heading(n) + "\r\n" +
           urn02_state(state_after<reference::Urn02>(n));
}

std::string urn05_first_call(std::int32_t n) {
    return urn05_state(state_after<reference::Urn05>(0)) + "\r\n" + plain_heading(n) + "\r\n" +
           urn05_state(state_after<reference::Urn05>(n));
}

// With no values the state reported is the starting one, whole and in order.
TEST(FirstCallWithoutValues, TableGeneratorsReportTheirStartingTables) {
    for (const std::int32_t n : {0, -3}) {
        SCOPED_TRACE("N=" + std::to_string(n));
        GeneratorSession two("URN02");
        two.call(n);
        EXPECT_EQ(two.out(), urn02_first_call(n));
        two.call(2);
        EXPECT_EQ(two.out(), urn02_first_call(n)) << "a later call prints nothing";

        GeneratorSession five("URN05");
        five.call(n);
        EXPECT_EQ(five.out(), urn05_first_call(n));
        five.call(2);
        EXPECT_EQ(five.out(), urn05_first_call(n)) << "a later call prints nothing";

        GeneratorSession four("URN04");
        four.call(n);
        EXPECT_EQ(four.out(), urn04_state() + "\r\n" + colon_heading(n) + "\r\n" + urn04_state());
    }
}

struct Report {
    const char* name;
    std::int32_t n;
    std::string expected;  // console text of the first call
};

TEST(FirstCallReport, StateAfterTheFirstSequence) {
    const Report cases[] = {
        {"URN03", 10,
         "IX=           1     JX=           0\r\n" + colon_heading(10) +
             "\r\nIX=    14608041     JX=           0"},
        {"URN06", 10,
         "        IX=          1   JX=          0\r\n" + plain_heading(10) +
             "\r\n        IX=   14608041   JX=          0"},
        {"URN06", 9,
         "        IX=          1   JX=          0\r\n" + plain_heading(9) +
             "\r\n        IX= -425112349   JX=          0"},
        {"URN08", 10, kSeeded + "\r\n" + plain_heading(10) + "\r\n        IX=  879302999"},
        {"URN09", 10, kSeeded + "\r\n" + plain_heading(10) + "\r\n        IX=  879302999"},
        {"URN20", 10,
         "IX=           671598445\r\n" + plain_heading(10) + "\r\nIX=           671598445"},
        {"URN20", 5, "IX=           935512160\r\n" + plain_heading(5) + "\r\nIX=           935512160"},
    };
    for (const Report& c : cases) {
        GeneratorSession run(c.name);
        run.call(c.n);
        EXPECT_EQ(run.out(), c.expected) << c.name << " N=" << c.n;
        EXPECT_EQ(run.samples().size(), static_cast<std::size_t>(c.n));
    }
}

// After values the tables report the entries refilled (URN02's may be
// negative) and the position reached (after 98 values URN05 is back at its
// last word).
TEST(FirstCallReport, TableGeneratorsReportTheirState) {
    // The worked states that the tables above are built from.
    const reference::Urn02 after10 = state_after<reference::Urn02>(10);
    ASSERT_EQ(after10.L, 1533836757);
    ASSERT_EQ(after10.MMM, 1173882409);
    ASSERT_EQ(after10.KKK, 263137217);
    ASSERT_EQ(state_after<reference::Urn05>(98).JJ, 98);

    for (const std::int32_t n : {1, 5, 10, 130}) {
        GeneratorSession two("URN02");
        two.call(n);
        EXPECT_EQ(two.out(), urn02_first_call(n)) << "N=" << n;
    }
    for (const std::int32_t n : {1, 5, 98, 99, 200}) {
        GeneratorSession five("URN05");
        five.call(n);
        EXPECT_EQ(five.out(), urn05_first_call(n)) << "N=" << n;
    }
}

// Every generator that fills values keeps its whole state between calls, but
// URN30 (a new stream every call) and URN34 (tables refilled every call): the
// cut into sequences does not change the values, also across blocks of 4096.
TEST(Sequences, ContinueOneStream) {
    int checked = 0;
    for (const auto& entry : generators::kCatalogue) {
        const std::string name(entry.short_name());
        if (entry.action != generators::Action::Fill || name == "URN30" || name == "URN34") continue;
        SCOPED_TRACE(name);
        ++checked;
        GeneratorSession whole(name);
        whole.call(10);
        GeneratorSession halves(name);
        halves.call(5);
        const std::size_t after_first = halves.out().size();
        halves.call(5);
        EXPECT_EQ(halves.samples(), whole.samples());
        // Later calls print nothing, but URN20's IX line.
        const std::string later = halves.out().substr(after_first);
        EXPECT_EQ(later, name == "URN20" ? "\r\nIX=           671598445" : "");

        GeneratorSession long_run(name);
        long_run.call(9000);
        GeneratorSession cut(name);
        for (const std::int32_t n : {4095, 2, 0, 4903}) cut.call(n);
        EXPECT_EQ(cut.samples(), long_run.samples());
    }
    EXPECT_EQ(checked, 24);
}

TEST(LongCalls, Urn22CallsLongerThanItsWorkArray) {
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

TEST(LongCalls, Urn30CallsLongerThanOneBlock) {
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
}  // namespace tamboril::testing
