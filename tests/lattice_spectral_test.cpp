// The spectral test of the lattice library against plain methods, against the
// definitions (RANDU's planes) and against figures published for classic
// generators, each of which the plain method checks as well.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tamboril/lattice.hpp"
#include "tests/reference/spectral.hpp"

namespace {

namespace lattice = tamboril::lattice;
using tamboril::reference::Int;

Int to_int(lattice::uint128 v) { return Int(lattice::to_decimal(v)); }

// s_1 + s_2 a + ... + s_t a^(t-1) = 0 (mod m), in exact integers.
bool in_dual_lattice(const std::vector<std::int64_t>& s, const Int& a, const Int& m) {
    Int sum = 0, power = 1;
    for (std::int64_t x : s) {
        sum += Int(static_cast<long>(x)) * power;
        power = power * a % m;
    }
    return sum % m == 0;
}

Int squared(const std::vector<std::int64_t>& s) {
    Int sum = 0;
    for (std::int64_t x : s) sum += Int(static_cast<long>(x)) * static_cast<long>(x);
    return sum;
}

std::int64_t l1(const std::vector<std::int64_t>& s) {
    std::int64_t sum = 0;
    for (std::int64_t x : s) sum += x < 0 ? -x : x;
    return sum;
}

struct Case {
    const char* label;
    const char* a;  // as tamboril-lattice reads them
    const char* m;
    int dimensions;
    bool exhaustive;  // small modulus: every vector of the Minkowski box
};

// Several vectors can share the least norm, so norms are compared and each
// vector is checked to be in the dual lattice with the norm it claims.
class SpectralAgainstPlainMethod : public ::testing::TestWithParam<Case> {};

TEST_P(SpectralAgainstPlainMethod, SameNormsAndVectorsOfTheLattice) {
    const Case& c = GetParam();
    const lattice::uint128 a = *lattice::parse_number(c.a), m = *lattice::parse_number(c.m);
    const auto figures = lattice::spectral_test(a, m, c.dimensions);
    ASSERT_EQ(figures.size(), static_cast<std::size_t>(c.dimensions - 1));
    for (const lattice::Figures& f : figures) {
        SCOPED_TRACE("t = " + std::to_string(f.t));
        const auto expected =
            c.exhaustive ? tamboril::reference::exhaustive_search(static_cast<std::int64_t>(a), static_cast<std::int64_t>(m), f.t)
                         : tamboril::reference::algorithm_s(lattice::to_decimal(a), lattice::to_decimal(m), f.t);
        EXPECT_EQ(to_int(f.nu_squared), expected.nu_squared);
        EXPECT_EQ(squared(f.shortest), to_int(f.nu_squared));
        EXPECT_TRUE(in_dual_lattice(f.shortest, to_int(a), to_int(m)));
        EXPECT_EQ(static_cast<std::int64_t>(f.hyperplanes) + 1, expected.least_l1);
        EXPECT_EQ(l1(f.hyperplane_vector), expected.least_l1);
        EXPECT_TRUE(in_dual_lattice(f.hyperplane_vector, to_int(a), to_int(m)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpectralAgainstPlainMethod,
    ::testing::Values(
        // Small moduli, every vector of the box.
        Case{"urn10_lattice", "125", "2048", 6, true}, Case{"urn38_lattice", "1220703125", "8192", 5, true},
        Case{"three_mod_2_15", "3", "2^15", 4, true}, Case{"one_mod_2_13", "1", "2^13", 5, true},
        Case{"prime_1009", "17", "1009", 5, true}, Case{"prime_2039", "44", "2039", 5, true},
        Case{"prime_32363", "157", "32363", 4, true},
        // Larger moduli, Algorithm S.
        Case{"minimal_standard", "16807", "2^31-1", 8, false}, Case{"park_miller_48271", "48271", "2^31-1", 8, false},
        Case{"randu", "65539", "2^31", 8, false}, Case{"urn30_step", "630360016", "2^31-1", 7, false},
        Case{"marsaglia_69069", "69069", "2^32", 8, false}, Case{"urn36_lattice", "1220703125", "2^33", 7, false},
        Case{"mixed_2_64", "6364136223846793005", "2^64", 8, false},
        Case{"prime_2_64_minus_59", "0x5851F42D4C957F2D", "2^64-59", 8, false},
        Case{"three_mod_2_64", "3", "2^64", 8, false}, Case{"minus_one_mod_2_64", "2^64-1", "2^64", 6, false}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.label); });

// 65539 = 2^16 + 3: 9 - 6 a + a^2 = (a - 3)^2 = 2^32 = 0 mod 2^31, and
// 9 x - 6 y + z lies strictly between -6 and 10 in the unit cube: the 15
// planes k = -5 to 9.
TEST(SpectralTest, RanduTriplesLieOnFifteenPlanes) {
    const auto figures = lattice::spectral_test(65539, lattice::uint128{1} << 31, 3);
    const lattice::Figures& f = figures.at(1);
    EXPECT_EQ(f.t, 3);
    EXPECT_EQ(f.shortest, (std::vector<std::int64_t>{9, -6, 1}));
    EXPECT_EQ(to_int(f.nu_squared), 118);
    EXPECT_EQ(f.hyperplanes, 15u);
    EXPECT_EQ(f.hyperplane_vector, (std::vector<std::int64_t>{9, -6, 1}));
}

// Figures of the field's tables, nu_t^2 for t = 2 to 6; each is checked by
// the plain method here as well.
struct Published {
    const char* label;
    const char* a;
    const char* m;
    std::vector<long> nu_squared;
};

TEST(SpectralTest, PublishedFiguresOfClassicGenerators) {
    const std::vector<Published> table = {
        {"16807 mod 2^31 - 1", "16807", "2147483647", {282475250, 408197, 21682, 4439, 895}},
        {"69069 mod 2^32", "69069", "4294967296", {4243209856, 2072544, 52804, 6990, 242}},
        // RANDU on the lattice its odd states span (65539 = 3 mod 8).
        {"65539 mod 2^30", "65539", "1073741824", {536936458, 118, 116, 116, 116}},
    };
    for (const Published& p : table) {
        SCOPED_TRACE(p.label);
        const auto figures = lattice::spectral_test(*lattice::parse_number(p.a), *lattice::parse_number(p.m), 6);
        for (std::size_t i = 0; i < p.nu_squared.size(); ++i) {
            const int t = static_cast<int>(i) + 2;
            EXPECT_EQ(tamboril::reference::algorithm_s(p.a, p.m, t).nu_squared, p.nu_squared[i]) << "t = " << t;
            EXPECT_EQ(to_int(figures[i].nu_squared), p.nu_squared[i]) << "t = " << t;
        }
    }
}

// S_t <= 1 where gamma_t is the Hermite constant, and the constants are
// those of A2, D4 and E8: gamma_2^2 = 4/3, gamma_4^4 = 4, gamma_8 = 2.
TEST(SpectralTest, HermiteConstantsAndTheNormalisedFigure) {
    EXPECT_NEAR(std::pow(lattice::hermite_gamma(2), 2), 4.0L / 3, 1e-15);
    EXPECT_NEAR(std::pow(lattice::hermite_gamma(4), 4), 4.0L, 1e-15);
    EXPECT_NEAR(lattice::hermite_gamma(8), 2.0L, 1e-15);
    EXPECT_NEAR(lattice::hermite_gamma(24), 4.0L, 1e-15);
    for (const auto& f : lattice::spectral_test(16807, 2147483647, 8)) {
        EXPECT_LE(f.s_t, 1.0L);
        // nu_2 of 16807: (16807, -1), nu^2 = 16807^2 + 1, and S_2 = nu / ((4/3)^(1/4) m^(1/2)).
        if (f.t == 2) {
            EXPECT_NEAR(f.s_t, std::sqrt(282475250.0L / 2147483647.0L) / std::pow(4.0L / 3, 0.25L), 1e-12);
        }
    }
}

}  // namespace
