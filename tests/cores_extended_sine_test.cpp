// The fast long double sine of whole numbers against the library's sinl and
// against sines to 300 bits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "tamboril/cores/extended_sine.hpp"
#include "tests/support/common.hpp"

namespace tamboril::generators {
namespace {

constexpr bool kExtended = std::numeric_limits<long double>::digits == 64;
// The hand values below are those of glibc's sinl on x86-64.
#if defined(__GLIBC__) && defined(__x86_64__)
constexpr bool kKnownLibrary = kExtended;
#else
constexpr bool kKnownLibrary = false;
#endif

// The 64-bit significand and the sign-and-exponent field of an 80-bit value.
struct Extended {
    std::uint64_t significand;
    std::uint16_t sign_exponent;
    bool operator==(const Extended&) const = default;
};

Extended parts(long double value) {
    Extended e{};
    std::memcpy(&e.significand, &value, sizeof e.significand);
    std::memcpy(&e.sign_exponent, reinterpret_cast<const unsigned char*>(&value) + 8, sizeof e.sign_exponent);
    return e;
}

void PrintTo(const Extended& e, std::ostream* os) {
    char text[40];
    std::snprintf(text, sizeof text, "%04X:%016llX", e.sign_exponent, static_cast<unsigned long long>(e.significand));
    *os << text;
}

long double sinl_of(double k) { return std::sin(static_cast<long double>(k)); }

TEST(ExtendedSine, HandValues) {
    if (!kKnownLibrary) GTEST_SKIP() << "another library sine or long double format";
    // sin(k) to 300 bits rounded to 64 (nearest), and the library's sinl as
    // an offset of that significand: 0 where it is the nearest, else -1 or +1
    // (the other neighbour of sin(k)).
    struct Case {
        double k;
        Extended nearest;
        int library_offset;
    };
    const Case cases[] = {
        {1.0, {0xD76AA47848677021u, 0x3FFE}, 0},        // 0.84147098480789650665
        {2.0, {0xE8C7B7568DA22EFDu, 0x3FFE}, 0},        // 0.90929742682568169540
        {3.0, {0x9081C36DB6AADA79u, 0x3FFC}, 0},        // 0.14112000805986722210
        {11.0, {0xFFFF5BB1749F56ADu, 0xBFFE}, 0},       // -0.99999020655070345705
        {22.0, {0x910514FB75CF9EB0u, 0xBFF8}, 0},       // -0.0088513092904038759217
        {113.0, {0xC7074E9C98215CC5u, 0xBFFB}, -1},     // -0.097181905893209014013
        {154.0, {0xFDA02DF78D8B265Bu, 0xBFFA}, +1},     // -0.061920337256057311721
        {355.0, {0xFCDE8183E8EF14EDu, 0xBFEF}, 0},      // -0.000030144353359488449214
        {390.0, {0xDB3E5453009CEEE5u, 0x3FFD}, -1},     // 0.42820991051876854736
        {693.0, {0xF61D0F0852F1FA0Cu, 0x3FFE}, -1},     // 0.96138090089056751970
        {4224.0, {0xFDE22E5DBA9BB2DBu, 0x3FFE}, -1},    // 0.99173249996475369502
        {9431.0, {0xFA4C5CC4C6531986u, 0xBFFA}, +1},    // -0.061107981088203167032
        {103993.0, {0xA077EF8F5C6F3414u, 0xBFEF}, 0},   // -0.000019129335778423750224
        {3242692.0, {0xFA23FC90D68B4CEDu, 0x3FFC}, 0},  // 0.24427790292760258638
        {16777215.0, {0xF2BF604910CB9AA8u, 0xBFFE}, 0},
        {19999999.0, {0xF4C4F66ABA5CA0B7u, 0xBFFE}, 0},
        {20000000.0, {0xC35A9847157F9085u, 0xBFFE}, 0},
        {33554431.0, {0xB1520392DB5FA2AFu, 0xBFFD}, 0},  // the last fast argument
        {33554432.0, {0xF9FD09849CDD7BFFu, 0xBFFE}, 0},  // 2^25
        {2147483648.0, {0xF8A7C89F4D7CC236u, 0xBFFE}, 0},        // 2^31
        {1099511627776.0, {0xCFB89138B6AEC68Eu, 0xBFFD}, 0},     // 2^40
        {4503599627370496.0, {0xDFCCB4845DA830D5u, 0x3FFE}, 0},  // 2^52
    };
    for (const Case& c : cases) {
        Extended want = c.nearest;
        want.significand += static_cast<std::uint64_t>(static_cast<std::int64_t>(c.library_offset));
        EXPECT_EQ(parts(sinl_of(c.k)), want) << "library, k=" << c.k;
        EXPECT_EQ(parts(extended_sine(c.k)), want) << "k=" << c.k;
    }
}

TEST(ExtendedSine, OtherArgumentsGoToTheLibrary) {
    if (!kExtended) GTEST_SKIP() << "long double has no 64-bit significand here";
    for (const double x : {0.0, -0.0, 0.5, -3.0, 1e-300, 0x1p53 + 2.0, 1e300}) {
        EXPECT_EQ(parts(extended_sine(x)), parts(sinl_of(x))) << x;
    }
    EXPECT_TRUE(std::isnan(extended_sine(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_TRUE(std::isnan(extended_sine(std::numeric_limits<double>::infinity())));
}

// Every whole number of the fast range, 1 to 2^25 - 1: the counts a run
// reaches in practice (10^7) and more than thrice as many. Under the
// sanitizers: the first 10^4, then every 97th.
TEST(ExtendedSine, EqualsTheLibraryOverTheFastRange) {
    if (!kExtended) GTEST_SKIP() << "long double has no 64-bit significand here";
    constexpr std::uint32_t kLast = (1u << 25) - 1;
    constexpr std::uint32_t kStride = testing::kSanitized ? 97 : 1;
    std::uint64_t differing = 0;
    std::vector<std::string> first;
    for (std::uint32_t k = 1; k <= kLast; k += (k < 10'000 ? 1 : kStride)) {
        const double x = static_cast<double>(k);
        const long double got = extended_sine(x);
        const long double want = sinl_of(x);
        if (parts(got) == parts(want)) continue;
        ++differing;
        if (first.size() < 5) {
            char text[120];
            std::snprintf(text, sizeof text, "k=%u: %La, library %La", k, got, want);
            first.emplace_back(text);
        }
    }
    EXPECT_EQ(differing, 0u);
    for (const std::string& line : first) ADD_FAILURE() << line;
}

}  // namespace
}  // namespace tamboril::generators
