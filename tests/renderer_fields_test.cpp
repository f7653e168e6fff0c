// Field texts of the edit descriptors and the decimal-digit rule.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>

#include "records/fields.hpp"
#include "records/template.hpp"
#include "tests/support/common.hpp"

namespace tamboril::records {
namespace {

std::string one(const char* format, Item item) {
    const Template t(format);
    const auto records = t.records({item});
    EXPECT_EQ(records.size(), 1u);
    return records.empty() ? std::string() : records.front();
}

struct FieldCase {
    const char* format;
    Item item;
    const char* expected;
};

// A test name from the descriptor and the item: "F11_10_of_0_0625",
// "F15_1_of_16777216f" (a single-precision item), "Z8_of_minus2", "A5_of_URN01".
std::string case_name(const FieldCase& c) {
    std::string name;
    const auto append = [&name](std::string_view text) {
        for (const char ch : text) {
            if (std::isalnum(static_cast<unsigned char>(ch))) {
                name += ch;
            } else if (ch == '.') {
                name += '_';
            } else if (ch == '-') {
                name += "minus";
            }
        }
    };
    append(c.format);
    name += "_of_";
    char text[40];
    switch (c.item.kind()) {
        case Item::Kind::Integer: std::snprintf(text, sizeof text, "%d", c.item.integer()); break;
        case Item::Kind::Single: std::snprintf(text, sizeof text, "%.9gf", c.item.real()); break;
        case Item::Kind::Double: std::snprintf(text, sizeof text, "%.12g", c.item.real()); break;
        case Item::Kind::Text: std::snprintf(text, sizeof text, "%s", std::string(c.item.text()).c_str()); break;
    }
    append(text);
    return name;
}

void PrintTo(const FieldCase& c, std::ostream* os) {
    *os << case_name(c) << ", expected " << testing::as_literal(c.expected);
}

class Fields : public ::testing::TestWithParam<FieldCase> {};

TEST_P(Fields, RenderExactly) {
    const FieldCase& c = GetParam();
    EXPECT_EQ(one(c.format, c.item), c.expected) << c.format;
}

INSTANTIATE_TEST_SUITE_P(
    Descriptors, Fields,
    ::testing::Values(
        // Fw.d: no zero before the point; overflow asterisks.
        FieldCase{"(F11.10)", 1.0, "***********"},
        FieldCase{"(F11.10)", 0.0625, ".0625000000"},
        FieldCase{"(F11.10)", 0.0, ".0000000000"},
        FieldCase{"(F11.10)", 0.25, ".2500000000"},
        FieldCase{"(F12.10)", 0.25, " .2500000000"},
        FieldCase{"(F15.1)", 0.04, "             .0"},
        FieldCase{"(F4.0)", 0.4, "  0."},
        FieldCase{"(F4.0)", 0.6, "  1."},
        FieldCase{"(F11.10)", 0.99999999996, "***********"},
        FieldCase{"(F12.10)", 0.99999999996, "1.0000000000"},
        FieldCase{"(F11.10)", -0.25, "***********"},
        FieldCase{"(F5.1)", -0.01, "   .0"},
        FieldCase{"(F6.1)", -2.25, "  -2.3"},
        FieldCase{"(F11.10)", 6e-11, ".0000000001"},
        FieldCase{"(F11.10)", 4e-11, ".0000000000"},
        // Single-precision items show at most 7 significant digits.
        FieldCase{"(F15.1)", 16777216.0f, "     16777220.0"},
        FieldCase{"(F15.1)", 2147483648.0f, "   2147484000.0"},
        FieldCase{"(F15.1)", 2147483648.0, "   2147483648.0"},
        FieldCase{"(F15.1)", 0.0f, "             .0"},
        FieldCase{"(F12.10)", 0.1f, " .1000000000"},
        FieldCase{"(F12.10)", 0.123456789f, " .1234568000"},
        // The double item 0.1f widened shows 16 digits.
        FieldCase{"(F20.18)", static_cast<double>(0.1f), " .100000001490116100"},
        // Dw.d
        FieldCase{"(D15.10)", 0.5, ".5000000000D+00"},
        FieldCase{"(D15.10)", 0.001234, ".1234000000D-02"},
        FieldCase{"(D15.10)", 0.0, ".0000000000D+00"},
        FieldCase{"(D16.10)", -0.5, "-.5000000000D+00"},
        FieldCase{"(D15.10)", -0.5, "***************"},
        FieldCase{"(D15.10)", 1e100, ".1000000000+101"},
        FieldCase{"(D15.10)", 1e-100, ".1000000000D-99"},
        FieldCase{"(D15.10)", 1e-101, ".1000000000-100"},
        FieldCase{"(D15.10)", 0.99999999999, ".1000000000D+01"},
        FieldCase{"(D15.0)", 2147483647.0, "         0.D+10"},
        FieldCase{"(D15.0)", 32007779.0, "         0.D+08"},
        FieldCase{"(D15.0)", 3432428692.0, "         0.D+10"},
        // Gw.d: F form for 0 <= e <= d, else the E form.
        FieldCase{"(G15.10)", 0.5, ".5000000000    "},
        FieldCase{"(G15.10)", 0.05, ".5000000000E-01"},
        FieldCase{"(G15.10)", 123.0, "123.0000000    "},
        FieldCase{"(G15.10)", 0.0, ".0000000000    "},
        FieldCase{"(G15.10)", 12345678.0f, "12345680.00    "},
        FieldCase{"(G15.10)", 66487208.0f, "66487210.00    "},
        FieldCase{"(G15.10)", 1e11, ".1000000000E+12"},
        // Zw, Iw, Aw
        FieldCase{"(Z8)", std::int32_t{43981}, "    ABCD"},
        FieldCase{"(Z8)", std::int32_t{-2}, "FFFFFFFE"},
        FieldCase{"(Z8)", std::int32_t{255}, "      FF"},
        FieldCase{"(Z8)", std::int32_t{0}, "       0"},
        FieldCase{"(Z8)", std::int32_t{-1}, "FFFFFFFF"},
        FieldCase{"(I11)", std::int32_t{0}, "          0"},
        FieldCase{"(I11)", std::int32_t{-2147483648}, "-2147483648"},
        FieldCase{"(I3)", std::int32_t{1234}, "***"},
        FieldCase{"(I20)", std::int32_t{524287}, "              524287"},
        FieldCase{"(A5)", "URN01   ", "URN01"},
        FieldCase{"(A12)", "ARCHURN01   ", "ARCHURN01   "}),
    [](const ::testing::TestParamInfo<FieldCase>& info) { return case_name(info.param); });

TEST(DecimalRule, SeventeenDigitsThenHalfUp) {
    // 0.15 is 0.1499999999999999944...; its 17 digits end in ...99994, so half
    // up at one decimal gives .1, while 0.25 (exact) gives .3.
    EXPECT_EQ(one("(F3.1)", 0.15), " .1");
    EXPECT_EQ(one("(F3.1)", 0.25), " .3");
    // 2^-11 = .00048828125: a tie at the tenth decimal rounds up.
    EXPECT_EQ(one("(F11.10)", 0.00048828125), ".0004882813");
    // 0.3 widened from single precision is .300000011920928955...
    EXPECT_EQ(one("(F11.10)", static_cast<double>(0.3f)), ".3000000119");
}

TEST(DecimalRule, RoundHalfUpCarries) {
    Decimal dec = decimal17(0.9999996);
    round_half_up(dec, 6);
    EXPECT_EQ(dec.count, 1);
    EXPECT_EQ(dec.digits[0], '1');
    EXPECT_EQ(dec.exponent, 1);
}

}  // namespace
}  // namespace tamboril::records

