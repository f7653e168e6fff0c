// The preconditions of the shift helpers hold in debug builds: a shift of 32
// places or more, or a negative one, stops the program at once. Built on its
// own, always with assertions on, whatever the build type; it shares no
// code with the library, which may be built without them.
#undef NDEBUG
#include <gtest/gtest.h>

#include <ostream>

#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {
namespace {

struct Shift {
    const char* label;
    int places;
};

void PrintTo(const Shift& s, std::ostream* os) { *os << s.label; }

class ShiftPreconditions : public ::testing::TestWithParam<Shift> {};

TEST_P(ShiftPreconditions, ShiftLeftOutsideZeroTo31Stops) {
    const int places = GetParam().places;
    EXPECT_DEATH((void)wrap_shl(1, places), "places >= 0 && places < 32");
}

TEST_P(ShiftPreconditions, LowBitsOutsideZeroTo30Stops) {
    const int bits = GetParam().places;
    EXPECT_DEATH((void)low_bits(1, bits), "bits >= 0 && bits < 31");
}

INSTANTIATE_TEST_SUITE_P(Outside, ShiftPreconditions,
                         ::testing::Values(Shift{"Minus1", -1}, Shift{"Exactly32", 32},
                                           Shift{"Large", 1000}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(ShiftPreconditions, LowBitsOf31Stops) {
    EXPECT_DEATH((void)low_bits(1, 31), "bits >= 0 && bits < 31");
}

TEST(ShiftPreconditions, EdgesInsideTheRangeAreKept) {
    EXPECT_EQ(wrap_shl(1, 0), 1);
    EXPECT_EQ(wrap_shl(1, 31), INT32_MIN);
    EXPECT_EQ(low_bits(-1, 0), 0);
    EXPECT_EQ(low_bits(-1, 30), 0x3FFFFFFF);
}

}  // namespace
}  // namespace tamboril::generators
