// The spectral test: fplll reduces the dual lattice of (a, m) and finds its
// shortest vector exactly; the least L1 norm (the hyperplanes) is found by an
// enumeration of our own over the reduced basis, since fplll enumerates in
// the Euclidean norm only.
#include <fplll.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <stdexcept>

#include "tamboril/lattice.hpp"

namespace tamboril::lattice {

namespace {

using Integer = fplll::Z_NR<mpz_t>;
using Basis = fplll::ZZ_mat<mpz_t>;

void set_integer(Integer& z, uint128 value) {
    // Two 64-bit halves, through GMP.
    mpz_t high;
    mpz_init_set_ui(high, static_cast<unsigned long>(static_cast<std::uint64_t>(value >> 64)));
    mpz_mul_2exp(high, high, 64);
    mpz_add_ui(high, high, static_cast<unsigned long>(static_cast<std::uint64_t>(value)));
    mpz_set(z.get_data(), high);
    mpz_clear(high);
}

std::int64_t to_int64(const Integer& z) {
    if (!mpz_fits_slong_p(z.get_data())) throw std::runtime_error("a figure's vector has an entry beyond 64 bits");
    return mpz_get_si(z.get_data());
}

// Reduced basis rows can reach m itself (for a multiplier of -1, say): 128 bits.
__extension__ typedef __int128 Wide;

Wide to_wide(const Integer& z) {
    mpz_t low, rest;
    mpz_init(low);
    mpz_init(rest);
    const bool negative = mpz_sgn(z.get_data()) < 0;
    mpz_abs(rest, z.get_data());
    if (mpz_sizeinbase(rest, 2) > 120) {
        mpz_clear(low);
        mpz_clear(rest);
        throw std::runtime_error("a reduced basis vector has an entry beyond 120 bits");
    }
    mpz_fdiv_r_2exp(low, rest, 64);
    mpz_fdiv_q_2exp(rest, rest, 64);
    const Wide value = (static_cast<Wide>(mpz_get_ui(rest)) << 64) | static_cast<Wide>(mpz_get_ui(low));
    mpz_clear(low);
    mpz_clear(rest);
    return negative ? -value : value;
}

// The dual lattice of (a, m) in t dimensions: the rows (m, 0, ..., 0) and
// (-a^(i-1) mod m, 0, .., 1, .., 0), i = 2 to t. Every row s has
// s_1 + s_2 a + ... + s_t a^(t-1) = 0 (mod m), and the determinant is m.
Basis dual_basis(uint128 a, uint128 m, int t) {
    Basis b(t, t);
    b.gen_zero(t, t);
    set_integer(b[0][0], m);
    uint128 power = 1;
    for (int i = 1; i < t; ++i) {
        power = mul_mod(power, a, m);
        set_integer(b[i][0], (m - power) % m);
        b[i][i] = 1L;
    }
    return b;
}

using Vector = std::vector<std::int64_t>;
using WideVector = std::vector<Wide>;

// The sign that makes the first nonzero entry positive.
void normalise_sign(Vector& v) {
    for (std::int64_t x : v) {
        if (x == 0) continue;
        if (x < 0)
            for (std::int64_t& y : v) y = -y;
        return;
    }
}

uint128 squared_norm(const Vector& v) {
    uint128 sum = 0;
    for (std::int64_t x : v) {
        const uint128 a = x < 0 ? uint128{0} - static_cast<uint128>(x) : static_cast<uint128>(x);
        sum += a * a;
    }
    return sum;
}

std::uint64_t l1_norm(const Vector& v) {
    std::uint64_t sum = 0;
    for (std::int64_t x : v) sum += static_cast<std::uint64_t>(x < 0 ? -x : x);
    return sum;
}

// The least L1 norm of a nonzero vector of the lattice with the rows of
// `rows` as its basis, by Schnorr-Euchner enumeration over the Gram-Schmidt
// form. A branch is cut only when a lower bound of the L1 norm of every
// vector below it exceeds the best norm found minus 1:
//   - the Euclidean norm of the projection (|s|_1 >= |s|_2 >= |pi_k(s)|_2);
//   - Hoelder's inequality with the projection p = pi_k(s) itself:
//     s.p = |p|^2 (s - p is orthogonal to p), and s.p <= |s|_1 |p|_inf.
// The bounds are computed in long double and compared with a margin of a
// millionth, far above their rounding; each candidate's norm is recomputed
// in integers.
class L1Search {
public:
    explicit L1Search(const std::vector<WideVector>& rows) : rows_(rows), t_(static_cast<int>(rows.size())) {
        const auto n = static_cast<std::size_t>(t_);
        star_.assign(n, std::vector<long double>(n, 0));
        mu_.assign(n, std::vector<long double>(n, 0));
        norm_.assign(n, 0);
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t c = 0; c < n; ++c) star_[i][c] = static_cast<long double>(rows_[i][c]);
            for (std::size_t j = 0; j < i; ++j) {
                long double dot = 0;
                for (std::size_t c = 0; c < n; ++c) dot += static_cast<long double>(rows_[i][c]) * star_[j][c];
                mu_[i][j] = dot / norm_[j];
                for (std::size_t c = 0; c < n; ++c) star_[i][c] -= mu_[i][j] * star_[j][c];
            }
            for (std::size_t c = 0; c < n; ++c) norm_[i] += star_[i][c] * star_[i][c];
        }
        x_.assign(n, 0);
        projection_.assign(n + 1, std::vector<long double>(n, 0));
        partial_.assign(n + 1, 0);
        scratch_.assign(n, 0);
    }

    // Starts from a known vector (any nonzero vector of the lattice).
    Vector run(Vector best) {
        best_ = std::move(best);
        best_norm_ = l1_norm(best_);
        descend(t_ - 1, true);
        return best_;
    }

private:
    bool cut(long double bound) const {
        const auto limit = static_cast<long double>(best_norm_ - 1);
        return bound > limit * (1.0L + 1e-6L) + 1e-6L;
    }

    void descend(int k, bool higher_zero) {
        const auto kk = static_cast<std::size_t>(k);
        long double c = 0;
        for (int i = k + 1; i < t_; ++i) c += mu_[static_cast<std::size_t>(i)][kk] * static_cast<long double>(x_[static_cast<std::size_t>(i)]);
        const long double rest = partial_[kk + 1];
        // Zigzag around the centre -c; with every higher coefficient zero,
        // only x_k >= 0 (a vector and its negative have the same norm).
        const auto centre = static_cast<std::int64_t>(std::llround(-c));
        for (std::int64_t step = 0;; ++step) {
            bool any = false;
            for (int side = 0; side < 2; ++side) {
                if (step == 0 && side == 1) break;
                const std::int64_t x = side == 0 ? centre + step : centre - step;
                if (higher_zero && x < 0) continue;
                const long double y = static_cast<long double>(x) + c;
                const long double partial = rest + y * y * norm_[kk];
                const auto limit = static_cast<long double>(best_norm_ - 1);
                if (partial > limit * limit * (1.0L + 1e-6L) + 1e-6L) continue;
                any = true;
                visit(k, x, y, partial, higher_zero && x == 0);
            }
            // Both sides beyond the Euclidean bound: nothing further out.
            if (!any && step > 0) {
                const long double y1 = static_cast<long double>(centre + step) + c;
                const long double y2 = static_cast<long double>(centre - step) + c;
                const long double y = std::min(std::fabs(y1), std::fabs(y2));
                const auto limit = static_cast<long double>(best_norm_ - 1);
                if (rest + y * y * norm_[kk] > limit * limit * (1.0L + 1e-6L) + 1e-6L) break;
            }
            if (best_norm_ <= 1) break;
        }
    }

    void visit(int k, std::int64_t x, long double y, long double partial, bool all_zero) {
        const auto kk = static_cast<std::size_t>(k);
        const auto n = static_cast<std::size_t>(t_);
        x_[kk] = x;
        partial_[kk] = partial;
        long double largest = 0;
        for (std::size_t c = 0; c < n; ++c) {
            projection_[kk][c] = projection_[kk + 1][c] + y * star_[kk][c];
            largest = std::max(largest, std::fabs(projection_[kk][c]));
        }
        if (largest > 0 && cut(partial / largest)) {
            x_[kk] = 0;
            return;
        }
        if (k > 0 && largest > 0 && cut(signed_bound(k))) {
            x_[kk] = 0;
            return;
        }
        if (k > 0) {
            descend(k - 1, all_zero);
        } else if (!all_zero) {
            WideVector s(n, 0);
            for (std::size_t i = 0; i < n; ++i) {
                if (x_[i] == 0) continue;
                for (std::size_t c = 0; c < n; ++c) s[c] += static_cast<Wide>(x_[i]) * rows_[i][c];
            }
            Wide norm = 0;
            for (Wide v : s) norm += v < 0 ? -v : v;
            // Below the best norm, every entry fits in 64 bits.
            if (norm != 0 && norm < static_cast<Wide>(best_norm_)) {
                best_norm_ = static_cast<std::uint64_t>(norm);
                for (std::size_t c = 0; c < n; ++c) best_[c] = static_cast<std::int64_t>(s[c]);
            }
        }
        x_[kk] = 0;
    }

    // Hoelder's inequality with w = the projection of sign(p) on the span of
    // b_k* ... b_(t-1)*, where p = pi_k(s): s.w = p.sign(p) = |p|_1.
    long double signed_bound(int k) const {
        const auto n = static_cast<std::size_t>(t_);
        const auto& p = projection_[static_cast<std::size_t>(k)];
        long double l1 = 0;
        for (std::size_t c = 0; c < n; ++c) l1 += std::fabs(p[c]);
        std::vector<long double>& w = scratch_;
        std::fill(w.begin(), w.end(), 0.0L);
        for (std::size_t j = static_cast<std::size_t>(k); j < n; ++j) {
            long double dot = 0;
            for (std::size_t c = 0; c < n; ++c) dot += (p[c] > 0 ? star_[j][c] : p[c] < 0 ? -star_[j][c] : 0.0L);
            dot /= norm_[j];
            for (std::size_t c = 0; c < n; ++c) w[c] += dot * star_[j][c];
        }
        long double largest = 0;
        for (std::size_t c = 0; c < n; ++c) largest = std::max(largest, std::fabs(w[c]));
        return largest > 0 ? l1 / largest : 0;
    }

    mutable std::vector<long double> scratch_;
    std::vector<WideVector> rows_;
    int t_;
    std::vector<std::vector<long double>> star_, mu_, projection_;
    std::vector<long double> norm_, partial_;
    Vector x_;
    Vector best_;
    std::uint64_t best_norm_ = 0;
};

// Centre densities squared of the lattices of gamma_t: the Hermite constant
// is gamma_t = 4 delta^(2/t). For t <= 8 they are the proven optimal lattices
// (A2, D3, D4, D5, E6, E7, E8); for t = 24 the Leech lattice, proven optimal;
// in between the densest lattice packings known (laminated lattices and
// K11 to K13).
constexpr std::uint32_t kDeltaSquaredDenominator[25] = {
    0, 4, 12, 32, 64, 128, 192, 256, 256, 512, 768, 972, 729,
    972, 768, 512, 256, 256, 192, 128, 64, 32, 12, 4, 1,
};

}  // namespace

long double hermite_gamma(int t) {
    if (t < 1 || t > 24) throw std::invalid_argument("dimensions 1 to 24 only");
    return 4.0L * std::pow(1.0L / kDeltaSquaredDenominator[t], 1.0L / t);
}

bool hermite_is_exact(int t) { return t <= 8 || t == 24; }

std::vector<Figures> spectral_test(uint128 multiplier, uint128 modulus, int max_dimension) {
    if (modulus < 2 || modulus > kMaxModulus) throw std::invalid_argument("the modulus must lie in 2 to 2^64");
    if (max_dimension < kMinDimension || max_dimension > kMaxDimension)
        throw std::invalid_argument("the dimensions must lie in 2 to 24");
    const uint128 a = multiplier % modulus;
    if (gcd(a, modulus) != 1) throw std::invalid_argument("the multiplier is not prime to the modulus");

    const long double log_m = std::log(static_cast<long double>(modulus));
    std::vector<Figures> out;
    for (int t = kMinDimension; t <= max_dimension; ++t) {
        const auto n = static_cast<std::size_t>(t);
        Basis basis = dual_basis(a, modulus, t);
        if (fplll::lll_reduction(basis) != fplll::RED_SUCCESS) throw std::runtime_error("fplll: LLL reduction failed");
        if (t > 10) {
            // A stronger reduction makes the L1 enumeration below much smaller.
            if (fplll::bkz_reduction(basis, t) != fplll::RED_SUCCESS)
                throw std::runtime_error("fplll: BKZ reduction failed");
            if (fplll::lll_reduction(basis) != fplll::RED_SUCCESS) throw std::runtime_error("fplll: LLL reduction failed");
        }
        std::vector<Integer> coordinates;
        if (fplll::shortest_vector(basis, coordinates, fplll::SVPM_PROVED) != fplll::RED_SUCCESS)
            throw std::runtime_error("fplll: shortest-vector enumeration failed");

        std::vector<WideVector> rows(n, WideVector(n, 0));
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t c = 0; c < n; ++c) rows[i][c] = to_wide(basis[static_cast<int>(i)][static_cast<int>(c)]);

        Figures f;
        f.t = t;
        // The shortest vector from its coordinates in the reduced basis.
        Vector shortest(n, 0);
        {
            std::vector<Integer> sum(n);
            for (auto& z : sum) z = 0L;
            Integer product;
            for (std::size_t i = 0; i < n && i < coordinates.size(); ++i) {
                for (std::size_t c = 0; c < n; ++c) {
                    product.mul(coordinates[i], basis[static_cast<int>(i)][static_cast<int>(c)]);
                    sum[c].add(sum[c], product);
                }
            }
            for (std::size_t c = 0; c < n; ++c) shortest[c] = to_int64(sum[c]);
        }
        normalise_sign(shortest);
        f.shortest = shortest;
        f.nu_squared = squared_norm(shortest);
        f.nu = std::sqrt(static_cast<long double>(f.nu_squared));
        f.s_t = f.nu / std::sqrt(hermite_gamma(t)) / std::exp(log_m / t);
        const long double half = t / 2.0L;
        f.mu_t = std::exp(half * std::log(std::numbers::pi_v<long double>) + t * std::log(f.nu) -
                          std::lgamma(half + 1) - log_m);

        // The least L1 norm, starting from the best of the basis rows and the
        // shortest vector.
        Vector start = shortest;
        for (const WideVector& row : rows) {
            Wide norm = 0;
            for (Wide v : row) norm += v < 0 ? -v : v;
            if (norm < static_cast<Wide>(l1_norm(start))) {
                for (std::size_t c = 0; c < n; ++c) start[c] = static_cast<std::int64_t>(row[c]);
            }
        }
        Vector least = L1Search(rows).run(start);
        normalise_sign(least);
        f.hyperplanes = l1_norm(least) - 1;
        f.hyperplane_vector = least;
        out.push_back(std::move(f));
    }
    return out;
}

}  // namespace tamboril::lattice
