// The spectral test written plainly, in integers only, to check the lattice
// library against.
//
// Dual basis U (rows s with s_1 + s_2 a + ... + s_t a^(t-1) = 0 mod m) and
// primal basis V with U V^T = m I: U_1 = (m, 0, ..., 0), U_i = (-a^(i-1) mod
// m, e_i), V_1 = (1, a, ..., a^(t-1) mod m), V_i = m e_i. Knuth's pairwise
// transformation (Algorithm S, step S5) shortens them: V_i <- V_i - q V_j,
// U_j <- U_j + q U_i, which keeps U V^T = m I, and then the same with U and
// V exchanged. A dual vector Y = sum x_j U_j
// has x_j = Y.V_j / m, so a shortest Y within a norm of r has
// |x_j| <= r |V_j| / m (Euclidean) or r |V_j|_inf / m (L1, by Hoelder), and
// the whole box of such x is searched.
//
// For small moduli, exhaustive_search() tries every (s_2, ..., s_t) in the
// box that Minkowski's theorem guarantees and the best s_1 for each.
#pragma once

#include <gmpxx.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace tamboril::reference {

using Int = mpz_class;

struct SpectralReference {
    Int nu_squared = 0;
    std::vector<std::int64_t> shortest;
    std::int64_t least_l1 = 0;
    std::vector<std::int64_t> least_l1_vector;
};

namespace detail {

using Row = std::vector<Int>;

inline Int dot(const Row& x, const Row& y) {
    Int s = 0;
    for (std::size_t i = 0; i < x.size(); ++i) s += x[i] * y[i];
    return s;
}
inline Int l1(const Row& x) {
    Int s = 0;
    for (const Int& v : x) s += abs(v);
    return s;
}
inline Int largest(const Row& x) {
    Int s = 0;
    for (const Int& v : x)
        if (abs(v) > s) s = abs(v);
    return s;
}
// The nearest integer to p / q, q > 0.
inline Int rounded(const Int& p, const Int& q) {
    Int r;
    const Int twice = 2 * p + q, d = 2 * q;
    mpz_fdiv_q(r.get_mpz_t(), twice.get_mpz_t(), d.get_mpz_t());
    return r;
}
inline std::vector<std::int64_t> narrow(const Row& x) {
    std::vector<std::int64_t> out;
    for (const Int& v : x) out.push_back(v.get_si());
    return out;
}

// Every x with |x_j| <= z_j, x != 0; calls visit(Y) with Y = sum x_j U_j.
template <class Visit>
void box_search(const std::vector<Row>& u, const std::vector<Int>& z, Visit visit) {
    const std::size_t t = u.size();
    std::vector<Int> x(t);
    for (std::size_t j = 0; j < t; ++j) x[j] = -z[j];
    for (;;) {
        bool zero = true;
        Row y(t, 0);
        for (std::size_t j = 0; j < t; ++j) {
            if (x[j] != 0) zero = false;
            for (std::size_t c = 0; c < t; ++c) y[c] += x[j] * u[j][c];
        }
        if (!zero) visit(y);
        std::size_t j = 0;
        while (j < t && x[j] == z[j]) {
            x[j] = -z[j];
            ++j;
        }
        if (j == t) return;
        ++x[j];
    }
}

}  // namespace detail

// Any modulus; a and m as decimal strings (m up to 2^64 and beyond).
inline SpectralReference algorithm_s(const std::string& a_text, const std::string& m_text, int t) {
    const Int a(a_text), m(m_text);
    using namespace detail;
    const auto n = static_cast<std::size_t>(t);
    std::vector<Row> u(n, Row(n, 0)), v(n, Row(n, 0));
    u[0][0] = m;
    v[0][0] = 1;
    Int r = 1;
    for (std::size_t i = 1; i < n; ++i) {
        r = r * a % m;
        u[i][0] = -r;
        u[i][i] = 1;
        v[0][i] = r;
        v[i][i] = m;
    }
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t j = 0; j < n; ++j) {
            for (std::size_t i = 0; i < n; ++i) {
                if (i == j) continue;
                const Int vv = dot(v[j], v[j]), vij = dot(v[i], v[j]);
                if (2 * abs(vij) <= vv) continue;
                const Int q = rounded(vij, vv);
                for (std::size_t c = 0; c < n; ++c) {
                    v[i][c] -= q * v[j][c];
                    u[j][c] += q * u[i][c];
                }
                changed = true;
            }
        }
    }
    // Then the same transformation with the roles of U and V exchanged,
    // which shortens the rows of U: U_i <- U_i - q U_j, V_j <- V_j + q V_i.
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t j = 0; j < n; ++j) {
            for (std::size_t i = 0; i < n; ++i) {
                if (i == j) continue;
                const Int uu = dot(u[j], u[j]), uij = dot(u[i], u[j]);
                if (2 * abs(uij) <= uu) continue;
                const Int q = rounded(uij, uu);
                for (std::size_t c = 0; c < n; ++c) {
                    u[i][c] -= q * u[j][c];
                    v[j][c] += q * v[i][c];
                }
                changed = true;
            }
        }
    }
    SpectralReference out;
    // Euclidean: the shortest basis row bounds the search.
    Row best = u[0];
    for (const Row& row : u)
        if (dot(row, row) < dot(best, best)) best = row;
    Int s = dot(best, best);
    std::vector<Int> z(n);
    // floor(sqrt(floor(x))) = floor(sqrt(x)).
    for (std::size_t j = 0; j < n; ++j) z[j] = sqrt(Int(s * dot(v[j], v[j]) / (m * m)));
    box_search(u, z, [&](const Row& y) {
        if (dot(y, y) < s) {
            s = dot(y, y);
            best = y;
        }
    });
    out.nu_squared = s;
    out.shortest = narrow(best);
    // L1: the row of least L1 norm bounds the search.
    Row least = u[0];
    for (const Row& row : u)
        if (l1(row) < l1(least)) least = row;
    Int bound = l1(least);
    for (std::size_t j = 0; j < n; ++j) z[j] = bound * largest(v[j]) / m;
    box_search(u, z, [&](const Row& y) {
        if (l1(y) < bound) {
            bound = l1(y);
            least = y;
        }
    });
    out.least_l1 = bound.get_si();
    out.least_l1_vector = narrow(least);
    return out;
}

// Every nonzero dual vector with |s_i| <= (t! m)^(1/t) for i >= 2: the
// least L1 norm is at most that (Minkowski, for the cross-polytope), and so
// is every entry of a vector of least L1 or Euclidean norm (nu_t is at most
// the least L1 norm). s_1 is the residue of least absolute value.
inline SpectralReference exhaustive_search(std::int64_t a, std::int64_t m, int t) {
    double factorial = 1;
    for (int i = 2; i <= t; ++i) factorial *= i;
    std::int64_t limit = 1;
    while (std::pow(static_cast<double>(limit), t) <= factorial * static_cast<double>(m)) ++limit;
    std::vector<std::int64_t> powers(static_cast<std::size_t>(t));
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * a % m;
    SpectralReference out;
    out.nu_squared = -1;
    std::vector<std::int64_t> s(static_cast<std::size_t>(t), -limit);
    s[0] = 0;
    for (;;) {
        std::int64_t sum = 0;
        for (std::size_t i = 1; i < s.size(); ++i) sum = ((sum + s[i] * powers[i]) % m + m) % m;
        // s_1 = -sum (mod m), nearest to 0; both signs when there is a tie.
        for (std::int64_t s1 : {(m - sum) % m, (m - sum) % m - m}) {
            s[0] = s1;
            std::int64_t e = 0;
            std::int64_t l = 0;
            bool zero = true;
            for (std::int64_t x : s) {
                e += x * x;
                l += std::llabs(x);
                zero = zero && x == 0;
            }
            if (zero) continue;
            if (out.nu_squared < 0 || e < out.nu_squared) {
                out.nu_squared = static_cast<long>(e);
                out.shortest = s;
            }
            if (out.least_l1 == 0 || l < out.least_l1) {
                out.least_l1 = l;
                out.least_l1_vector = s;
            }
        }
        std::size_t i = 1;
        while (i < s.size() && s[i] == limit) s[i++] = -limit;
        if (i == s.size()) return out;
        ++s[i];
    }
}

}  // namespace tamboril::reference
