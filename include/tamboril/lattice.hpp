// The theory of congruential generators: the spectral test of a multiplier
// and a modulus, and the arithmetic that gives exact periods.
//
//     auto figures = tamboril::lattice::spectral_test(65539, 2147483648u, 3);
//     // figures[1]: t = 3, nu_squared = 118, shortest = (9, -6, 1) up to
//     // sign, hyperplanes = 15.
//
// For x_{n+1} = a x_n (+ c) mod m, the t-tuples of consecutive states over m
// lie on the lattice spanned by (1, a, ..., a^(t-1)) / m and the unit
// vectors. Its dual lattice is the set of integer vectors s with
// s_1 + s_2 a + ... + s_t a^(t-1) = 0 (mod m); every such s gives a family
// of parallel hyperplanes 1 / |s| apart that holds every tuple. The
// spectral test is the shortest such s (nu_t its length), and the fewest
// hyperplanes that hold every tuple inside the unit cube is the least L1
// norm of such an s, minus 1.
//
// Every figure is exact: the lattices are reduced with fplll on GMP
// integers, the shortest vector is fplll's exact enumeration, the least L1
// norm an exhaustive enumeration whose pruning keeps a margin far above the
// rounding of its bounds, and every norm is computed again in integers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamboril::lattice {

// Moduli reach 2^64 itself, and nu_t^2 can exceed 2^64 (in two dimensions up
// to (4/3)^(1/2) m): both are unsigned 128-bit integers.
__extension__ typedef unsigned __int128 uint128;

inline constexpr int kMinDimension = 2;
inline constexpr int kMaxDimension = 24;
inline constexpr uint128 kMaxModulus = uint128{1} << 64;

struct Figures {
    int t = 0;
    uint128 nu_squared = 0;            // exact
    std::vector<std::int64_t> shortest;  // s_1 ... s_t, first nonzero entry positive
    long double nu = 0;                // sqrt(nu_squared)
    // nu / (gamma_t^(1/2) m^(1/t)); at most 1 where gamma_t is the Hermite
    // constant (t <= 8 and t = 24), see hermite_is_exact().
    long double s_t = 0;
    // pi^(t/2) nu^t / (Gamma(t/2 + 1) m)
    long double mu_t = 0;
    std::uint64_t hyperplanes = 0;                // least L1 norm minus 1
    std::vector<std::int64_t> hyperplane_vector;  // a vector of that L1 norm
};

// The figures for t = 2 to max_dimension of the multiplier a modulo m.
// Throws std::invalid_argument unless 2 <= m <= 2^64, gcd(a, m) = 1 and
// 2 <= max_dimension <= 24. Only a mod m counts.
std::vector<Figures> spectral_test(uint128 multiplier, uint128 modulus, int max_dimension);

// The constant gamma_t of the normalised figure S_t: the Hermite constant
// for t <= 8 and t = 24 (proven); for 9 to 23, that of the densest lattice
// known (a lower bound on the Hermite constant, so S_t there can in principle
// exceed 1).
long double hermite_gamma(int t);
bool hermite_is_exact(int t);

// ---------------------------------------------------------------------------
// Arithmetic for periods.

// a b mod m and a^e mod m, for m from 1 to 2^64.
uint128 mul_mod(uint128 a, uint128 b, uint128 m);
uint128 pow_mod(uint128 a, uint128 e, uint128 m);
uint128 gcd(uint128 a, uint128 b);
bool is_prime(std::uint64_t n);

struct PrimePower {
    std::uint64_t prime;
    int exponent;
};
// The prime factors of n >= 1 in increasing order (none for 1).
std::vector<PrimePower> factorize(std::uint64_t n);

// The order of a in the multiplicative group modulo m (2 <= m <= 2^64,
// gcd(a, m) = 1), from the factorisation of m and of each p - 1.
uint128 multiplicative_order(uint128 a, uint128 m);

// The period of x_{n+1} = a x_n + c mod m from x_0, for m up to 2^64 with a
// prime to m: the least n >= 1 with x_n = x_0 (the map is a bijection, so
// the sequence is purely periodic).
uint128 congruential_period(uint128 a, uint128 c, uint128 m, uint128 x0);

// The smallest modulus of the lattice that holds the tuples of
// x_{n+1} = a x_n mod m from x0: m / gcd((a - 1) x0, m). The differences of
// the states are the multiples of (a - 1) x0 modulo m, so the tuples lie on a
// translate of the lattice of a modulo that number (for m = 2^e and an odd
// x0: 2^(e-2) when a = 5 mod 8, 2^(e-1) when a = 3 or 7 mod 8).
uint128 lattice_modulus(uint128 a, uint128 m, uint128 x0);

// A polynomial over GF(2) given by its exponents, such as {98, 27, 0}.
// Primitive: irreducible of degree n with x of order 2^n - 1. Degrees 1 to 64
// and the even degrees up to 126, where 2^n - 1 = (2^(n/2) - 1)(2^(n/2) + 1)
// splits into factors below 2^64 (98 among them); otherwise
// std::invalid_argument.
bool gf2_is_primitive(const std::vector<int>& exponents);

// ---------------------------------------------------------------------------
// Numbers as the program reads and writes them.

// Decimal, 0x hexadecimal, 2^k, 2^k-c or 2^k+c; the value must lie in 0 to
// 2^64. Nothing else is accepted (no blanks, no sign): nullopt.
std::optional<uint128> parse_number(std::string_view text);
std::string to_decimal(uint128 value);
// 2^k, 2^k - c or 2^k + c when that is shorter than the decimal form and c is
// small, else the decimal form.
std::string to_short_form(uint128 value);

// ---------------------------------------------------------------------------
// The lattices of the catalogue's generators, as constants of their own.

struct LatticeComponent {
    std::string_view label;       // which sequence of the generator
    uint128 multiplier;           // as the recurrence has it
    uint128 modulus;              // of the recurrence
    uint128 increment = 0;        // 0 for a multiplicative sequence
    uint128 seed = 0;             // its starting state; 0 where it varies
    uint128 lattice_modulus = 0;  // of the lattice its tuples lie on
    std::string_view convention;  // why that modulus
};

struct GeneratorTheory {
    std::string_view name;        // URN01
    std::string_view recurrence;  // one line
    // The values are those of one congruential sequence, up to their
    // rounding to single precision or to fewer bits.
    bool lattice = false;
    // For a generator that is not: what it is and what of the figures applies.
    std::string_view note;
    std::vector<LatticeComponent> components;
};

// Every generator of the catalogue that produces values, in catalogue order.
const std::vector<GeneratorTheory>& catalogue_theory();
// The entry of that name (exactly, upper case), or nullptr.
const GeneratorTheory* find_theory(std::string_view name);

// ---------------------------------------------------------------------------
// Cycle detection (Brent's method) over any copyable state with ==.

struct Cycle {
    bool found = false;
    // When found: the period and the number of states before the cycle.
    std::uint64_t period = 0;
    std::uint64_t tail = 0;
    // The steps taken. When not found, no cycle of length at most `bound`
    // is entered within the first `bound` states: the period exceeds `bound`
    // or the tail reaches it.
    std::uint64_t steps = 0;
    std::uint64_t bound = 0;
};

// `step(state)` advances one state in place. At most about `budget` steps.
template <class State, class Step>
Cycle find_cycle(const State& start, Step step, std::uint64_t budget) {
    Cycle result;
    // Phase 1: the tortoise waits at powers of two while the hare runs.
    std::uint64_t power = 1, lambda = 1;
    State tortoise = start;
    State hare = start;
    step(hare);
    result.steps = 1;
    while (!(tortoise == hare)) {
        if (power == lambda) {
            // Every cycle of length up to `power` entered by index power - 1
            // would have been met.
            result.bound = power;
            if (result.steps + 2 * power > budget) return result;
            tortoise = hare;
            power *= 2;
            lambda = 0;
        }
        step(hare);
        ++lambda;
        ++result.steps;
    }
    // Phase 2: two walkers lambda apart meet at the first state of the cycle.
    std::uint64_t mu = 0;
    tortoise = start;
    hare = start;
    for (std::uint64_t i = 0; i < lambda; ++i) step(hare);
    result.steps += lambda;
    while (!(tortoise == hare)) {
        step(tortoise);
        step(hare);
        ++mu;
        result.steps += 2;
    }
    result.found = true;
    result.period = lambda;
    result.tail = mu;
    return result;
}

}  // namespace tamboril::lattice
