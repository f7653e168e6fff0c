// The periods of the catalogue and the arithmetic behind them, against plain
// computations: stepping the reference formulations, brute force over small
// moduli, and powers taken by repeated squaring in the test itself.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <functional>
#include <memory>
#include <numeric>
#include <span>
#include <string>
#include <vector>

#include "generators/catalogue.hpp"
#include "tamboril/lattice.hpp"
#include "tests/reference/urn05.hpp"
#include "tests/reference/urn10.hpp"
#include "tests/reference/urn20.hpp"
#include "tests/reference/urn31_urn32.hpp"
#include "tests/reference/urn33.hpp"
#include "tests/reference/urn38.hpp"

namespace {

namespace lattice = tamboril::lattice;
using tamboril::generators::catalogue_entry;
using tamboril::generators::lookup_generator;
using tamboril::generators::PeriodKnown;
__extension__ typedef unsigned __int128 u128;

const tamboril::generators::Period& period_of(const char* name) { return catalogue_entry(lookup_generator(name)).period; }

std::uint64_t recorded(const char* name) { return std::stoull(std::string(period_of(name).length)); }

std::vector<std::uint64_t> primes_of(std::uint64_t n) {
    std::vector<std::uint64_t> out;
    for (std::uint64_t d = 2; d * d <= n; ++d) {
        if (n % d != 0) continue;
        out.push_back(d);
        while (n % d == 0) n /= d;
    }
    if (n > 1) out.push_back(n);
    return out;
}

u128 power(u128 a, u128 e, u128 m) {
    u128 r = 1 % m;
    a %= m;
    for (; e != 0; e >>= 1) {
        if (e & 1) r = r * a % m;
        a = a * a % m;
    }
    return r;
}

// Every generator that produces values has its period line, and only URN39's
// period is not known; the theory table has the same generators.
TEST(PeriodTest, EveryGeneratorThatProducesValuesHasItsPeriod) {
    int rows = 0;
    for (int number = 1; number <= tamboril::generators::kGeneratorCount; ++number) {
        const auto& entry = catalogue_entry(number);
        const bool values = entry.action == tamboril::generators::Action::Fill;
        const std::string name(entry.short_name());
        SCOPED_TRACE(name);
        EXPECT_EQ(lattice::find_theory(name) != nullptr, values);
        if (!values) continue;
        ++rows;
        EXPECT_FALSE(entry.period.how.empty());
        EXPECT_EQ(entry.period.known == PeriodKnown::Unknown, name == "URN39");
        EXPECT_EQ(entry.period.length.empty(), name == "URN39");
    }
    EXPECT_EQ(rows, 26);
}

// ---------------------------------------------------------------------------
// Measured periods: the states of the reference formulation, s_0 to
// s_(tail + period), repeat exactly there and no sooner.

struct Measured {
    const char* name;
    std::uint64_t tail;  // as the catalogue's line says
    std::function<std::uint64_t()> (*stepper)();
};

template <class Reference, class Key>
std::function<std::uint64_t()> stepping(Key key) {
    auto r = std::make_shared<Reference>();
    r->start();
    return [r, key]() {
        const std::uint64_t state = key(*r);
        float value;
        r->call(std::span<float>(&value, 1));
        return state;
    };
}

TEST(PeriodTest, MeasuredPeriodsRepeatTheReferenceStatesExactlyThere) {
    using namespace tamboril::reference;
    const std::vector<Measured> table = {
        {"URN10", 0, [] { return stepping<Urn10>([](const Urn10& r) { return std::uint64_t(r.IX); }); }},
        {"URN38", 0, [] { return stepping<Urn38>([](const Urn38& r) { return std::uint64_t(r.INTIN1); }); }},
        {"URN20", 53769, [] { return stepping<Urn20>([](const Urn20& r) { return std::uint64_t(r.IX); }); }},
        {"URN31", 0, [] { return stepping<Urn31>([](const Urn31& r) { return std::uint64_t(r.IXX); }); }},
        {"URN32", 1, [] { return stepping<Urn32>([](const Urn32& r) { return std::uint64_t(r.IXX); }); }},
        {"URN33", 2691348,
         [] { return stepping<Urn33>([](const Urn33& r) { return std::uint64_t(std::bit_cast<std::uint32_t>(r.XI)); }); }},
    };
    for (const Measured& m : table) {
        SCOPED_TRACE(m.name);
        EXPECT_EQ(period_of(m.name).known, PeriodKnown::Measured);
        const std::uint64_t lambda = recorded(m.name), mu = m.tail;
        EXPECT_NE(std::string(period_of(m.name).how).find(mu == 0 ? "no tail" : "tail of " + std::to_string(mu)),
                  std::string::npos);
        auto next = m.stepper();
        std::vector<std::uint64_t> s(mu + lambda + 1);
        for (auto& x : s) x = next();
        EXPECT_EQ(s[mu + lambda], s[mu]);
        if (mu > 0) {
            EXPECT_NE(s[mu - 1 + lambda], s[mu - 1]);
        }
        for (std::uint64_t q : primes_of(lambda)) EXPECT_NE(s[mu + lambda / q], s[mu]) << "period / " << q;
    }
}

// ---------------------------------------------------------------------------
// Periods by theory: x0 a^P = x0 and x0 a^(P/q) != x0 for every prime q of P,
// with the powers taken here.

struct Multiplicative {
    const char* name;
    u128 a, m, x0;
};

TEST(PeriodTest, CongruentialPeriodsOfTheCatalogueFollowFromPowers) {
    const u128 p31 = (u128{1} << 31) - 1;
    const std::vector<Multiplicative> table = {
        {"URN01", 16807, p31, 524287},
        {"URN03", 65539, u128{1} << 31, 1},
        {"URN06", 65539, u128{1} << 32, 1},
        {"URN08", 65539, u128{1} << 31, 524287},
        {"URN12", 452807053, u128{1} << 31, 1},
        {"URN13", 663608941, u128{1} << 32, 524287},
        {"URN28", 16807, p31, 1},
        {"URN36", 1220703125, u128{1} << 35, 32767},
        {"URN37", 1220703125, u128{1} << 31, 32767},
    };
    for (const Multiplicative& g : table) {
        SCOPED_TRACE(g.name);
        EXPECT_EQ(period_of(g.name).known, PeriodKnown::Theory);
        const std::uint64_t p = recorded(g.name);
        EXPECT_EQ(g.x0 * power(g.a, p, g.m) % g.m, g.x0);
        for (std::uint64_t q : primes_of(p)) EXPECT_NE(g.x0 * power(g.a, p / q, g.m) % g.m, g.x0) << q;
    }
    // URN22: f(x) = 69069 x + 1 mod 2^32, f^(2^k) by squaring the affine map:
    // f^(2^32) fixes the seed, f^(2^31) does not.
    {
        std::uint32_t a = 69069, c = 1;  // f^(2^k) = (a, c)
        std::uint32_t half = 0;
        for (int k = 0; k < 32; ++k) {
            if (k == 31) half = a * 32007779u + c;
            c = a * c + c;
            a = a * a;
        }
        EXPECT_EQ(a * 32007779u + c, 32007779u);
        EXPECT_NE(half, 32007779u);
        EXPECT_EQ(recorded("URN22"), std::uint64_t{1} << 32);
    }
}

// Small sequences by brute force: the components of URN34 and URN35, and
// the lcm and the call count built from them.
std::uint64_t brute_order(std::uint64_t a, std::uint64_t m) {
    std::uint64_t x = a % m, n = 1;
    while (x != 1) {
        x = x * a % m;
        ++n;
    }
    return n;
}

TEST(PeriodTest, CombinedGeneratorsFromTheirComponents) {
    const std::uint64_t w = brute_order(157, 32363), y = brute_order(146, 31727), z = brute_order(142, 31657);
    EXPECT_EQ(std::lcm(std::lcm(w, y), z), recorded("URN35"));
    const std::uint64_t joint = std::lcm(std::lcm(brute_order(44, 2039), brute_order(45, 2027)), brute_order(41, 2003));
    EXPECT_EQ(joint / std::gcd(joint, std::uint64_t{10010}), recorded("URN34"));
    EXPECT_EQ(period_of("URN34").known, PeriodKnown::Bound);
    // URN30: the step 24112 26143 is a primitive root modulo 2^31 - 1, the
    // stream seeds are 100000 steps apart, and they repeat after (2^31 - 2) / 2 calls.
    const u128 p = (u128{1} << 31) - 1, g = u128{24112} * 26143 % p;
    for (std::uint64_t q : primes_of(2147483646)) EXPECT_NE(power(g, 2147483646 / q, p), 1u);
    const u128 c = u128{715} * 1058 * 1385 % p;
    EXPECT_EQ(power(g, 100000, p), c);
    EXPECT_EQ(2147483646 / std::gcd(std::uint64_t{100000}, std::uint64_t{2147483646}), recorded("URN30"));
}

// URN05: the words obey w_n = w_(n-98) xor w_(n-71), the recurrence of the
// trinomial x^98 + x^27 + 1, and no bit of the starting register is 0 in
// every word.
TEST(PeriodTest, ShiftRegisterFollowsItsTrinomial) {
    tamboril::reference::Urn05 r;
    r.start();
    std::vector<std::int32_t> w(r.MFSR.begin() + 1, r.MFSR.end());
    std::int32_t any = 0;
    for (std::int32_t x : w) any |= x;
    EXPECT_EQ(any, 0x7FFFFFFF);
    for (int n = 0; n < 1000; ++n) {
        float value;
        r.call(std::span<float>(&value, 1));
        const std::size_t size = w.size();
        EXPECT_EQ(r.MFSR[static_cast<std::size_t>(r.JJ)], w[size - 98] ^ w[size - 71]) << n;
        w.push_back(r.MFSR[static_cast<std::size_t>(r.JJ)]);
    }
    EXPECT_TRUE(lattice::gf2_is_primitive({98, 27, 0}));
    EXPECT_EQ(std::string(period_of("URN05").length), lattice::to_decimal((u128{1} << 98) - 1));
}

// ---------------------------------------------------------------------------
// The library's arithmetic against brute force.

TEST(PeriodArithmeticTest, OrdersPeriodsAndLatticeModuliByBruteForce) {
    for (std::uint64_t m : {2u, 9u, 64u, 100u, 101u, 1024u, 1155u, 2039u, 4096u, 32769u}) {
        for (std::uint64_t a = 1; a < m && a < 300; ++a) {
            if (std::gcd(a, m) != 1) continue;
            EXPECT_EQ(lattice::multiplicative_order(a, m), brute_order(a, m)) << a << " mod " << m;
            for (std::uint64_t c : {0u, 1u, 7u}) {
                const std::uint64_t x0 = 3 % m;
                std::uint64_t x = x0, n = 0;
                std::uint64_t g = 0;  // gcd of the differences of the states
                do {
                    x = (a * x + c) % m;
                    g = std::gcd(g, (x + m - x0) % m);
                    ++n;
                } while (x != x0);
                EXPECT_EQ(lattice::congruential_period(a, c, m, x0), n) << a << " x + " << c << " mod " << m;
                if (c == 0) {
                    EXPECT_EQ(lattice::lattice_modulus(a, m, x0), m / std::gcd(g, m)) << a << " mod " << m;
                }
            }
        }
    }
}

// Every polynomial of degree 2 to 10 with a constant term: primitive exactly
// when the shift register it defines runs through all 2^n - 1 nonzero states.
TEST(PeriodArithmeticTest, Gf2PrimitivityByRunningTheRegister) {
    for (int n = 2; n <= 10; ++n) {
        for (std::uint32_t middle = 0; middle < (1u << (n - 1)); ++middle) {
            const std::uint32_t poly = (1u << n) | (middle << 1) | 1u;
            std::vector<int> exponents;
            for (int e = 0; e <= n; ++e)
                if ((poly >> e) & 1) exponents.push_back(e);
            // x^k mod poly until it returns to 1.
            std::uint32_t x = 1, k = 0;
            do {
                x <<= 1;
                if ((x >> n) & 1) x ^= poly;
                ++k;
            } while (x != 1 && k <= (1u << n));
            EXPECT_EQ(lattice::gf2_is_primitive(exponents), k == (1u << n) - 1) << "poly " << poly;
        }
    }
}

TEST(PeriodArithmeticTest, FactorisationsMultiplyBackToPrimes) {
    for (std::uint64_t n : {std::uint64_t{2147483646}, (std::uint64_t{1} << 49) - 1, (std::uint64_t{1} << 49) + 1,
                            ~std::uint64_t{0}, std::uint64_t{1} << 62, std::uint64_t{1000000007} * 998244353}) {
        std::uint64_t product = 1;
        for (const auto& f : lattice::factorize(n)) {
            EXPECT_EQ(primes_of(f.prime), std::vector<std::uint64_t>{f.prime}) << n;
            for (int i = 0; i < f.exponent; ++i) product *= f.prime;
        }
        EXPECT_EQ(product, n);
    }
}

}  // namespace
