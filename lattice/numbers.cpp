// Exact arithmetic for periods: products and powers modulo m up to 2^64,
// factorisation of 64-bit numbers, multiplicative orders, primitivity over
// GF(2), and the numbers as the program reads and writes them.

#include <algorithm>
#include <map>
#include <stdexcept>

#include "tamboril/lattice.hpp"

namespace tamboril::lattice {

namespace {

// Products of two residues below 2^64 fit in 128 bits; a modulus of 2^64
// itself is a mask.
uint128 mul_mod_64(uint128 a, uint128 b, uint128 m) {
    if (m == kMaxModulus) return static_cast<std::uint64_t>(a * b);
    return (a * b) % m;
}

// A Miller-Rabin round for the odd n > 2 to base a.
bool strong_probable_prime(std::uint64_t n, std::uint64_t a) {
    std::uint64_t d = n - 1;
    int s = 0;
    while ((d & 1) == 0) {
        d >>= 1;
        ++s;
    }
    uint128 x = pow_mod(a % n, d, n);
    if (x == 1 || x == n - 1) return true;
    for (int r = 1; r < s; ++r) {
        x = mul_mod(x, x, n);
        if (x == n - 1) return true;
    }
    return false;
}

// One factor of the composite n by Pollard's rho (Brent's variant).
std::uint64_t rho_factor(std::uint64_t n) {
    if (n % 2 == 0) return 2;
    for (std::uint64_t c = 1;; ++c) {
        auto f = [&](std::uint64_t x) { return static_cast<std::uint64_t>((mul_mod(x, x, n) + c) % n); };
        std::uint64_t x = 2, y = 2, d = 1;
        std::uint64_t power = 1, lambda = 0;
        while (d == 1) {
            if (power == lambda) {
                x = y;
                power *= 2;
                lambda = 0;
            }
            y = f(y);
            ++lambda;
            d = static_cast<std::uint64_t>(gcd(x > y ? x - y : y - x, n));
        }
        if (d != n) return d;
    }
}

void collect_factors(std::uint64_t n, std::map<std::uint64_t, int>& out) {
    if (n == 1) return;
    if (is_prime(n)) {
        ++out[n];
        return;
    }
    for (std::uint64_t p : {2u, 3u, 5u, 7u, 11u, 13u}) {
        if (n % p == 0) {
            ++out[p];
            collect_factors(n / p, out);
            return;
        }
    }
    const std::uint64_t d = rho_factor(n);
    collect_factors(d, out);
    collect_factors(n / d, out);
}

// ---------------------------------------------------------------------------
// Polynomials over GF(2) of degree below 128 as bit masks.

struct Gf2 {
    uint128 modulus;  // with its leading bit
    int degree;

    uint128 mul(uint128 a, uint128 b) const {
        uint128 r = 0;
        while (b != 0) {
            if (b & 1) r ^= a;
            b >>= 1;
            a <<= 1;
            if ((a >> degree) & 1) a ^= modulus;
        }
        return r;
    }
    uint128 pow(uint128 a, uint128 e) const {
        uint128 r = 1;
        while (e != 0) {
            if (e & 1) r = mul(r, a);
            a = mul(a, a);
            e >>= 1;
        }
        return r;
    }
    // x^(2^k)
    uint128 frobenius(int k) const {
        uint128 r = 2;
        for (int i = 0; i < k; ++i) r = mul(r, r);
        return r;
    }
};

int poly_degree(uint128 p) {
    int d = -1;
    for (int i = 0; i < 128; ++i)
        if ((p >> i) & 1) d = i;
    return d;
}

uint128 poly_mod(uint128 a, uint128 b) {
    const int db = poly_degree(b);
    for (int da = poly_degree(a); da >= db; da = poly_degree(a)) a ^= b << (da - db);
    return a;
}

uint128 poly_gcd(uint128 a, uint128 b) {
    while (b != 0) {
        const uint128 r = poly_mod(a, b);
        a = b;
        b = r;
    }
    return a;
}

// The prime factors of 2^n - 1 by its algebraic splitting.
void mersenne_factors(int n, std::map<std::uint64_t, int>& out) {
    if (n <= 64) {
        collect_factors(n == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << n) - 1, out);
        return;
    }
    if (n % 2 != 0 || n / 2 > 63) throw std::invalid_argument("2^n - 1 cannot be factored here for this degree");
    mersenne_factors(n / 2, out);
    collect_factors((std::uint64_t{1} << (n / 2)) + 1, out);
}

}  // namespace

uint128 gcd(uint128 a, uint128 b) {
    while (b != 0) {
        const uint128 r = a % b;
        a = b;
        b = r;
    }
    return a;
}

uint128 mul_mod(uint128 a, uint128 b, uint128 m) {
    if (m > kMaxModulus || m == 0) throw std::invalid_argument("modulus out of range");
    return mul_mod_64(a % m, b % m, m);
}

uint128 pow_mod(uint128 a, uint128 e, uint128 m) {
    if (m > kMaxModulus || m == 0) throw std::invalid_argument("modulus out of range");
    if (m == 1) return 0;
    uint128 r = 1;
    a %= m;
    while (e != 0) {
        if (e & 1) r = mul_mod_64(r, a, m);
        a = mul_mod_64(a, a, m);
        e >>= 1;
    }
    return r;
}

bool is_prime(std::uint64_t n) {
    if (n < 2) return false;
    for (std::uint64_t p : {2u, 3u, 5u, 7u, 11u, 13u, 17u, 19u, 23u, 29u, 31u, 37u}) {
        if (n % p == 0) return n == p;
    }
    // These twelve bases decide every n below 2^64.
    for (std::uint64_t a : {2u, 3u, 5u, 7u, 11u, 13u, 17u, 19u, 23u, 29u, 31u, 37u}) {
        if (!strong_probable_prime(n, a)) return false;
    }
    return true;
}

std::vector<PrimePower> factorize(std::uint64_t n) {
    if (n == 0) throw std::invalid_argument("0 has no factorisation");
    std::map<std::uint64_t, int> found;
    collect_factors(n, found);
    std::vector<PrimePower> out;
    for (const auto& [p, e] : found) out.push_back({p, e});
    return out;
}

namespace {

// The order of a modulo p^k for a prime p.
uint128 order_mod_prime_power(uint128 a, std::uint64_t p, int k) {
    uint128 pk = 1;
    for (int i = 0; i < k; ++i) pk *= p;
    if (p == 2) {
        // The group has 2^(k-1) elements: square until 1.
        uint128 order = 1;
        uint128 x = a % pk;
        while (x != 1) {
            x = mul_mod_64(x, x, pk);
            order *= 2;
        }
        return order;
    }
    // The group is cyclic of order (p - 1) p^(k-1): the order divides it.
    std::map<std::uint64_t, int> primes;
    collect_factors(p - 1, primes);
    if (k > 1) primes[p] += k - 1;
    uint128 order = (pk / p) * (p - 1);
    for (const auto& [q, e] : primes) {
        for (int i = 0; i < e; ++i) {
            if (pow_mod(a, order / q, pk) == 1) {
                order /= q;
            } else {
                break;
            }
        }
    }
    return order;
}

uint128 lcm(uint128 a, uint128 b) { return a / gcd(a, b) * b; }

}  // namespace

uint128 multiplicative_order(uint128 a, uint128 m) {
    if (m < 2 || m > kMaxModulus) throw std::invalid_argument("the modulus must lie in 2 to 2^64");
    a %= m;
    if (gcd(a, m) != 1) throw std::invalid_argument("the multiplier is not prime to the modulus");
    if (m == kMaxModulus) return order_mod_prime_power(a, 2, 64);
    uint128 order = 1;
    for (const PrimePower& f : factorize(static_cast<std::uint64_t>(m))) {
        order = lcm(order, order_mod_prime_power(a, f.prime, f.exponent));
    }
    return order;
}

uint128 congruential_period(uint128 a, uint128 c, uint128 m, uint128 x0) {
    if (m < 2 || m > kMaxModulus) throw std::invalid_argument("the modulus must lie in 2 to 2^64");
    a %= m;
    c %= m;
    x0 %= m;
    if (gcd(a, m) != 1) throw std::invalid_argument("the multiplier is not prime to the modulus");
    // f(x) = a x + c. f^n is x -> a^n x + C_n; where a^n = 1 it is a
    // translation, of order dividing m, so the order of f divides ord(a) m,
    // and so does the period from x0 (the n with f^n(x0) = x0 are the
    // multiples of it). Start from that bound and take out prime factors.
    auto apply = [&](uint128 n) {
        uint128 A = 1, C = 0, pa = a, pc = c;  // (A, C) = f^n; (pa, pc) = f^(2^i)
        while (n != 0) {
            if (n & 1) {
                C = (mul_mod_64(pa, C, m) + pc) % m;
                A = mul_mod_64(pa, A, m);
            }
            pc = (mul_mod_64(pa, pc, m) + pc) % m;
            pa = mul_mod_64(pa, pa, m);
            n >>= 1;
        }
        return (mul_mod_64(A, x0, m) + C) % m;
    };
    // The primes of ord(a) m are among those of m and of p - 1 for p | m.
    std::map<std::uint64_t, int> primes;
    if (m == kMaxModulus) {
        primes[2] = 64;
    } else {
        collect_factors(static_cast<std::uint64_t>(m), primes);
    }
    std::map<std::uint64_t, int> candidates = primes;
    for (const auto& [p, e] : primes) {
        (void)e;
        collect_factors(p - 1, candidates);
    }
    uint128 period = multiplicative_order(a, m) * m;  // below 2^128: ord(a) < m
    for (const auto& [q, e] : candidates) {
        (void)e;
        while (period % q == 0 && apply(period / q) == x0) period /= q;
    }
    return period;
}

uint128 lattice_modulus(uint128 a, uint128 m, uint128 x0) {
    const uint128 am1 = (a % m + m - 1) % m;
    const uint128 g = gcd(mul_mod(am1, x0, m), m);
    return m / (g == 0 ? m : g);
}

bool gf2_is_primitive(const std::vector<int>& exponents) {
    uint128 p = 0;
    for (int e : exponents) {
        if (e < 0 || e > 127) throw std::invalid_argument("exponents of 0 to 127 only");
        p ^= uint128{1} << e;
    }
    const int n = poly_degree(p);
    if (n < 1) throw std::invalid_argument("a polynomial of degree 1 or more");
    if ((p & 1) == 0) return false;  // divisible by x
    const Gf2 field{p, n};
    // Irreducible (Rabin): x^(2^n) = x, and gcd(x^(2^(n/q)) - x, p) = 1 for
    // every prime q dividing n.
    if (field.frobenius(n) != 2) return false;
    std::map<std::uint64_t, int> degree_primes;
    collect_factors(static_cast<std::uint64_t>(n), degree_primes);
    for (const auto& [q, e] : degree_primes) {
        (void)e;
        if (poly_gcd(p, field.frobenius(n / static_cast<int>(q)) ^ 2) != 1) return false;
    }
    // x has order 2^n - 1: x^((2^n - 1) / r) != 1 for every prime r.
    std::map<std::uint64_t, int> primes;
    mersenne_factors(n, primes);
    const uint128 group = n == 128 ? ~uint128{0} : (uint128{1} << n) - 1;
    for (const auto& [r, e] : primes) {
        (void)e;
        if (field.pow(2, group / r) == 1) return false;
    }
    return true;
}

// ---------------------------------------------------------------------------

namespace {

std::optional<uint128> parse_digits(std::string_view text, unsigned base) {
    if (text.empty()) return std::nullopt;
    uint128 value = 0;
    for (char ch : text) {
        unsigned digit;
        if (ch >= '0' && ch <= '9') {
            digit = static_cast<unsigned>(ch - '0');
        } else if (base == 16 && ch >= 'a' && ch <= 'f') {
            digit = static_cast<unsigned>(ch - 'a' + 10);
        } else if (base == 16 && ch >= 'A' && ch <= 'F') {
            digit = static_cast<unsigned>(ch - 'A' + 10);
        } else {
            return std::nullopt;
        }
        if (digit >= base) return std::nullopt;
        value = value * base + digit;
        if (value > kMaxModulus) return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<uint128> parse_number(std::string_view text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return parse_digits(text.substr(2), 16);
    if (text.size() > 2 && text.substr(0, 2) == "2^") {
        std::string_view rest = text.substr(2);
        const std::size_t sign = rest.find_first_of("+-");
        const auto k = parse_digits(rest.substr(0, sign), 10);
        if (!k || *k > 64) return std::nullopt;
        const uint128 power = uint128{1} << static_cast<int>(*k);
        if (sign == std::string_view::npos) return power;
        const auto c = parse_digits(rest.substr(sign + 1), 10);
        if (!c) return std::nullopt;
        if (rest[sign] == '-') {
            if (*c > power) return std::nullopt;
            return power - *c;
        }
        if (power + *c > kMaxModulus) return std::nullopt;
        return power + *c;
    }
    return parse_digits(text, 10);
}

std::string to_decimal(uint128 value) {
    if (value == 0) return "0";
    std::string digits;
    while (value != 0) {
        digits.push_back(static_cast<char>('0' + static_cast<int>(value % 10)));
        value /= 10;
    }
    std::reverse(digits.begin(), digits.end());
    return digits;
}

std::string to_short_form(uint128 value) {
    const std::string decimal = to_decimal(value);
    for (int k = 4; k <= 127; ++k) {
        const uint128 power = uint128{1} << k;
        const uint128 distance = value > power ? value - power : power - value;
        if (distance > 1000) continue;
        std::string form = "2^" + std::to_string(k);
        if (distance != 0) form += (value > power ? " + " : " - ") + to_decimal(distance);
        if (form.size() < decimal.size()) return form;
    }
    return decimal;
}

}  // namespace tamboril::lattice
