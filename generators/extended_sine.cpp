#include "tamboril/cores/extended_sine.hpp"

#include <atomic>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "tamboril/cores/wrap.hpp"

// How the library's long double sine of a whole number k behaves (glibc on
// x86-64, the 80-bit format), and what the fast evaluation relies on. The
// test that compares the two for every k of the fast range checks all of it.
//
// The library reduces k to r = k - j pi/2, |r| <= pi/4, and the result is one
// of the two long doubles next to the value it approximates, V:
// - where |r| < 0.1484375 the result depends only on r rounded to a long
//   double, y0: it is sinl(y0), cosl(y0), -sinl(y0) or -cosl(y0) for j = 0,
//   1, 2, 3 (mod 4), and V = sin(k + y0 - r). It is the nearest long double
//   to V unless V lies within 1.1 r^2 grid steps of the midpoint between the
//   two (the largest distance seen).
// - elsewhere V = sin k, and the result is the nearest long double unless V
//   lies within 3.3 d grid steps of a midpoint, d = |l| |cos k| / |sin k|,
//   where l is the distance from |r| to the nearest point 0.1484375 + i/128
//   (i whole).
// So V to about 100 bits, rounded, is the library's result wherever it lies
// at least 3 r^2 or 6 d steps away from a midpoint; the rest (about 3 per
// cent) asks the library: sinl(k) (or sinl(y0), cosl(y0)).
//
// sin k and cos k come from double-double tables of sin and cos of a 2^12 and
// of b, for k = a 2^12 + b, built once on first use from an exact reduction
// and a Taylor series.

namespace tamboril::generators {

long double library_extended_sine(double k) { return std::sin(static_cast<long double>(k)); }

#if defined(__GLIBC__) && defined(__x86_64__)

namespace {

static_assert(std::numeric_limits<long double>::digits == 64);

// Double-double arithmetic from separate double operations (no fused
// multiply-add): a value is hi + lo with |lo| <= half an ulp of hi.
struct Dd {
    double hi;
    double lo;
};

Dd two_sum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

Dd fast_two_sum(double a, double b) {  // |a| >= |b|
    const double s = a + b;
    return {s, b - (s - a)};
}

// The upper 26 bits and the rest; their products are exact.
Dd split(double a) {
    const double c = 134217729.0 * a;  // 2^27 + 1
    const double hi = c - (c - a);
    return {hi, a - hi};
}

Dd two_prod(double a, double b) {
    const double p = a * b;
    const Dd x = split(a);
    const Dd y = split(b);
    return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

Dd add(Dd a, Dd b) {
    Dd s = two_sum(a.hi, b.hi);
    const Dd t = two_sum(a.lo, b.lo);
    s = fast_two_sum(s.hi, s.lo + t.hi);
    return fast_two_sum(s.hi, s.lo + t.lo);
}

Dd neg(Dd a) { return {-a.hi, -a.lo}; }

Dd mul(Dd a, Dd b) {
    const Dd p = two_prod(a.hi, b.hi);
    return fast_two_sum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

Dd div(Dd a, double d) {
    const double q1 = a.hi / d;
    const Dd p = two_prod(q1, d);
    const double q2 = (((a.hi - p.hi) - p.lo) + a.lo) / d;
    return fast_two_sum(q1, q2);
}

// pi/2 as four parts: the first three are short enough that j times each is
// exact for j < 2^25; the sum is within 2^-141 of pi/2.
constexpr double kHalfPi1 = 0x1.921fb54000000p+0;
constexpr double kHalfPi2 = 0x1.10b4610000000p-30;
constexpr double kHalfPi3 = 0x1.a626330000000p-58;
constexpr double kHalfPi4 = 0x1.45c06e0e68948p-86;
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
constexpr double kRoundShift = 0x1.8p52;  // x + 1.5 2^52 - 1.5 2^52 rounds x to a whole number

constexpr int kLowBits = 12;
constexpr std::uint32_t kLowSize = 1u << kLowBits;
constexpr std::uint32_t kHighSize = 1u << 13;
constexpr double kFastLimit = static_cast<double>(kHighSize) * kLowSize;  // 2^25

// Nearest whole number of n 2/pi (n below 2^25).
double quadrant_count(double n) { return (n * kTwoOverPi + kRoundShift) - kRoundShift; }

// n - j pi/2 to about 2^-106 of n (n below 2^25, j its quadrant count).
// n - j kHalfPi1 is exact: both lie on the grid of 2^-26 and differ by less
// than 1. The terms fall in size, and so does r (where small) with them.
Dd reduce(double n, double j) {
    const Dd a = two_sum(n - j * kHalfPi1, -(j * kHalfPi2));
    const Dd b = two_sum(a.hi, -(j * kHalfPi3));
    const Dd p = two_prod(j, kHalfPi4);
    const Dd c = two_sum(b.hi, -p.hi);
    return fast_two_sum(c.hi, ((a.lo + b.lo) + c.lo) - p.lo);
}

struct SinCos {
    double sin_hi, sin_lo, cos_hi, cos_lo;
};

// The Taylor coefficients (-1)^i / (2i+1)! and (-1)^i / (2i)!, i = 0 to 15:
// enough for |r| <= pi/4.
struct TaylorCoefficients {
    static constexpr int kTerms = 16;
    Dd sin[kTerms];
    Dd cos[kTerms];

    TaylorCoefficients() {
        Dd f{1.0, 0.0};
        for (int m = 0; m < 2 * kTerms; ++m) {
            if (m > 0) f = div(f, static_cast<double>(m));
            const Dd term = (m / 2) % 2 == 0 ? f : neg(f);
            (m % 2 == 0 ? cos : sin)[m / 2] = term;
        }
    }
};

// sin n and cos n for a whole n below 2^25, to about 2^-105.
SinCos exact_sin_cos(double n, const TaylorCoefficients& taylor) {
    const double j = quadrant_count(n);
    const Dd r = reduce(n, j);
    const Dd r2 = mul(r, r);
    Dd s = taylor.sin[TaylorCoefficients::kTerms - 1];
    Dd c = taylor.cos[TaylorCoefficients::kTerms - 1];
    for (int i = TaylorCoefficients::kTerms - 2; i >= 0; --i) {
        s = add(taylor.sin[i], mul(r2, s));
        c = add(taylor.cos[i], mul(r2, c));
    }
    s = mul(r, s);
    switch (static_cast<std::int64_t>(j) & 3) {
        case 0: return {s.hi, s.lo, c.hi, c.lo};
        case 1: return {c.hi, c.lo, -s.hi, -s.lo};
        case 2: return {-s.hi, -s.lo, -c.hi, -c.lo};
        default: return {-c.hi, -c.lo, s.hi, s.lo};
    }
}

struct SineTables {
    SinCos high[kHighSize];  // sin and cos of a 2^12
    SinCos low[kLowSize];    // sin and cos of b

    SineTables() {
        const TaylorCoefficients taylor;
        for (std::uint32_t a = 0; a < kHighSize; ++a) high[a] = exact_sin_cos(static_cast<double>(a << kLowBits), taylor);
        for (std::uint32_t b = 0; b < kLowSize; ++b) low[b] = exact_sin_cos(static_cast<double>(b), taylor);
    }
};

[[gnu::noinline]] const SineTables& built_tables() {
    static const SineTables built;
    return built;
}

// The tables once built, without the set-up code on the fast path.
std::atomic<const SineTables*> ready_tables{nullptr};

const SineTables& tables() {
    const SineTables* t = ready_tables.load(std::memory_order_acquire);
    if (t == nullptr) {
        t = &built_tables();
        ready_tables.store(t, std::memory_order_release);
    }
    return *t;
}

// Where hi + lo lies on the grid of long doubles: a long double has 11 bits
// more than hi, so the grid step is 2^-11 ulp(hi) and the position is that of
// lo (|lo| <= ulp(hi) / 2) in those steps.
struct GridPosition {
    double scale;     // 1 / step
    double shift;     // steps from hi + lo to the nearest long double
    double distance;  // steps from hi + lo to the nearest midpoint (0 to 0.5)
};

GridPosition grid_position(double hi, double lo) {
    const auto bits = std::bit_cast<std::uint64_t>(hi);
    const std::uint64_t exponent = (bits >> 52) & 0x7FF;  // at least 64: |hi| > 2^-900 here
    const double scale = std::bit_cast<double>((2109 - exponent) << 52);
    const double q = lo * scale;  // |q| <= 1024
    const double nearest = (q + kRoundShift) - kRoundShift;
    // Below a power of two the step is half as large: no distance to trust.
    if ((bits & 0x000FFFFFFFFFFFFFu) == 0) return {scale, nearest - q, -1.0};
    return {scale, nearest - q, 0.5 - std::fabs(q - nearest)};
}

long double round_to_extended(double hi, double lo) {
    return static_cast<long double>(hi) + static_cast<long double>(lo);
}

// Below this |r| the library result depends on the rounded reduced argument
// alone; kBand keeps clear of the bound, for which r is known to ~2^-33 here.
constexpr double kDirectBound = 0.1484375;
constexpr double kBand = 0x1p-28;
// Distances from a midpoint, in grid steps, within which the library is asked
// (see above), plus 2^-99 for the error of the double-doubles (below 2^-100).
constexpr double kLibraryMargin = 6.0;
constexpr double kDirectMargin = 3.0;
constexpr double kOwnError = 0x1p-99;

// sinl(j pi/2 + y0) for |y0| < pi/4 as the library computes it.
long double library_quadrant_sine(double j, long double y0) {
    switch (static_cast<std::int64_t>(j) & 3) {
        case 0: return std::sin(y0);
        case 1: return std::cos(y0);
        case 2: return -std::sin(y0);
        default: return -std::cos(y0);
    }
}

}  // namespace

long double extended_sine(double k) {
    if (!(k >= 1.0 && k < kFastLimit)) return library_extended_sine(k);
    const auto n = static_cast<std::uint32_t>(k);
    if (static_cast<double>(n) != k) return library_extended_sine(k);

    const double j = quadrant_count(k);
    const double abs_r = std::fabs((k - j * kHalfPi1) - j * kHalfPi2);  // |r| to about 2^-33
    if (std::fabs(abs_r - kDirectBound) < kBand) return library_extended_sine(k);

    // sin(a 2^12 + b) = sin(a 2^12) cos b + cos(a 2^12) sin b, to 2^-100
    const SineTables& t = tables();
    const SinCos& u = t.high[n >> kLowBits];
    const SinCos& v = t.low[n & (kLowSize - 1)];
    Dd p = two_prod(u.sin_hi, v.cos_hi);
    p.lo += u.sin_hi * v.cos_lo + u.sin_lo * v.cos_hi;
    Dd q = two_prod(u.cos_hi, v.sin_hi);
    q.lo += u.cos_hi * v.sin_lo + u.cos_lo * v.sin_hi;
    Dd s = two_sum(p.hi, q.hi);
    s = fast_two_sum(s.hi, s.lo + (p.lo + q.lo));
    const double cos_k = u.cos_hi * v.cos_hi - u.sin_hi * v.sin_hi;

    if (abs_r < kDirectBound) {
        // V = sin(k + e) = sin k + e cos k, e = y0 - r (|e| <= 2^-67).
        const Dd r = reduce(k, j);
        const GridPosition y0 = grid_position(r.hi, r.lo);
        if (y0.distance < 0x1p-20) return library_extended_sine(k);
        const double e = y0.shift / y0.scale;
        const Dd w = two_sum(s.hi, e * cos_k);
        s = fast_two_sum(w.hi, w.lo + s.lo);
        const GridPosition g = grid_position(s.hi, s.lo);
        if (g.distance < kDirectMargin * abs_r * abs_r + kOwnError * g.scale)
            return library_quadrant_sine(j, round_to_extended(r.hi, r.lo));
        return round_to_extended(s.hi, s.lo);
    }

    // |sin k| > 0.14 here.
    const int point = static_cast<int>((abs_r - (kDirectBound - 0x1p-8)) * 128.0);
    const double l = abs_r - (kDirectBound + point / 128.0);
    const GridPosition g = grid_position(s.hi, s.lo);
    const double size = std::fabs(s.hi);
    if (g.distance * size < kLibraryMargin * std::fabs(l * cos_k) + kOwnError * g.scale * size)
        return library_extended_sine(k);
    return round_to_extended(s.hi, s.lo);
}

#else

long double extended_sine(double k) { return library_extended_sine(k); }

#endif

}  // namespace tamboril::generators
