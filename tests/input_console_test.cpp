// Console input: the name with "(A5)" and the free-form integer read.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

#include "records/console.hpp"
#include "records/input.hpp"
#include "tests/support/common.hpp"
#include "tests/support/console.hpp"

namespace tamboril::records {
namespace {

using testing::memory_console;

TEST(ConsoleInput, NameIsFiveCharacters) {
    TextLineSource in("URN011\nURN1\n\nURN01\r\n\xC3\xB1x");
    EXPECT_EQ(read_a5(in), "URN01");
    EXPECT_EQ(read_a5(in), "URN1 ");
    EXPECT_EQ(read_a5(in), "     ");
    EXPECT_EQ(read_a5(in), "URN01");
    EXPECT_EQ(read_a5(in), "\xC3\xB1x  ");
    EXPECT_EQ(read_a5(in), std::nullopt);
}

struct IntegerCase {
    const char* label;
    const char* input;
    FreeInteger::Status status;
    std::int32_t value;
};

void PrintTo(const IntegerCase& c, std::ostream* os) {
    *os << c.label << ": " << testing::as_literal(c.input) << " gives " << c.value;
}

class FreeIntegers : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(FreeIntegers, Read) {
    const IntegerCase& c = GetParam();
    TextLineSource in(c.input);
    const FreeInteger got = read_free_integer(in);
    EXPECT_EQ(got.status, c.status) << c.input;
    if (c.status == FreeInteger::Status::Value) {
        EXPECT_EQ(got.value, c.value) << c.input;
    }
}

using S = FreeInteger::Status;
INSTANTIATE_TEST_SUITE_P(
    Answers, FreeIntegers,
    ::testing::Values(
        IntegerCase{"Plain", "5\n", S::Value, 5},
        IntegerCase{"AfterEmptyLinesAndBlanks", "\n\n  \t 7 junk\n", S::Value, 7},
        IntegerCase{"PlusSign", "+7", S::Value, 7},
        IntegerCase{"MinusSign", "-3", S::Value, -3},
        IntegerCase{"Repeat", "3*5", S::Value, 5},
        IntegerCase{"EndsAtAComma", "12,34", S::Value, 12},
        IntegerCase{"EndsAtASlash", "12/", S::Value, 12},
        IntegerCase{"EndsAtATab", "12\t3", S::Value, 12},
        IntegerCase{"CrLf", "5\r\n", S::Value, 5},
        IntegerCase{"CommaOnly", ",", S::Unchanged, 0},
        IntegerCase{"SlashAfterBlanks", "  /", S::Unchanged, 0},
        IntegerCase{"RepeatWithoutValue", "3*", S::Unchanged, 0},
        IntegerCase{"Largest", "2147483647", S::Value, 2147483647},
        IntegerCase{"Smallest", "-2147483648", S::Value, INT32_MIN},
        IntegerCase{"AboveTheLargest", "2147483648", S::OutOfRange, 0},
        IntegerCase{"BelowTheSmallest", "-2147483649", S::OutOfRange, 0},
        IntegerCase{"TwentyDigits", "99999999999999999999", S::OutOfRange, 0},
        IntegerCase{"Letters", "abc", S::Invalid, 0},
        IntegerCase{"DigitsThenLetters", "12abc", S::Invalid, 0},
        IntegerCase{"SignOnly", "+", S::Invalid, 0},
        IntegerCase{"RepeatZero", "0*5", S::Invalid, 0},
        IntegerCase{"RepeatNegative", "-2*5", S::Invalid, 0},
        IntegerCase{"Decimal", "1.5", S::Invalid, 0},
        IntegerCase{"NoInput", "", S::EndOfInput, 0},
        IntegerCase{"OnlyBlankLines", "\n \n\t\n", S::EndOfInput, 0}),
    [](const ::testing::TestParamInfo<IntegerCase>& info) { return std::string(info.param.label); });

TEST(ConsoleInput, CommaLeavesTheDestinationAndTheRestOfTheLineIsDropped) {
    Console console = memory_console(",\n8 9\n10\n");
    std::int32_t n = 4;
    console.read_integer(n, "N");
    EXPECT_EQ(n, 4);
    console.read_integer(n, "N");
    EXPECT_EQ(n, 8);
    console.read_integer(n, "N");
    EXPECT_EQ(n, 10);
    EXPECT_THROW(console.read_integer(n, "N"), InputError);
}

}  // namespace
}  // namespace tamboril::records
