#include "records/fast_fixed.hpp"

#include <array>

namespace tamboril::records::fast_fixed {

namespace {

constexpr std::uint64_t power(std::uint64_t base, int n) {
    std::uint64_t p = 1;
    for (int i = 0; i < n; ++i) p *= base;
    return p;
}

// For the binade [2^-k, 2^(1-k)), k = 1 to 35: its values start with n zero
// decimals (10^-(n+1) <= 2^-k < 10^-n), so 17 significant digits end at
// decimal n + 17, or at n + 16 from the mantissa that reaches 10^-n on.
struct Binade {
    std::uint32_t next_power;  // first mantissa at or above 10^-n
    int decimals;              // n + 17
};

constexpr std::array<Binade, 36> kBinades = [] {
    std::array<Binade, 36> table{};
    for (int k = 1; k <= 35; ++k) {
        int n = 0;
        while (power(10, n + 1) < (std::uint64_t{1} << k)) ++n;
        // m * 2^(-23-k) >= 10^-n  <=>  m >= 2^(23+k) / 10^n.
        const std::uint64_t scale = std::uint64_t{1} << (23 + k);
        const std::uint64_t first = (scale + power(10, n) - 1) / power(10, n);
        table[static_cast<std::size_t>(k)] = {
            static_cast<std::uint32_t>(first < (1u << 24) ? first : (1u << 24)), n + 17};
    }
    return table;
}();

constexpr std::array<std::uint64_t, 28> kPowers5 = [] {
    std::array<std::uint64_t, 28> table{};
    for (int i = 0; i < 28; ++i) table[static_cast<std::size_t>(i)] = power(5, i);
    return table;
}();

constexpr std::array<std::uint64_t, 18> kPowers10 = [] {
    std::array<std::uint64_t, 18> table{};
    for (int i = 0; i < 18; ++i) table[static_cast<std::size_t>(i)] = power(10, i);
    return table;
}();

// value * 10^q = m * 5^q / 2^s with s = 23 + k - q, from 7 to 32; the
// product stays below 2^24 * 5^27 < 2^87.
struct Scaled {
    std::uint32_t m;      // the significand with its hidden bit
    std::uint64_t power;  // 5^q
    unsigned s;
    int q;
};

Scaled scale(std::uint32_t bits) {
    const std::uint32_t k = 127 - (bits >> 23);
    const std::uint32_t m = (bits & 0x7FFFFFu) | 0x800000u;
    const Binade& binade = kBinades[k];
    const int q = binade.decimals - (m >= binade.next_power ? 1 : 0);
    return {m, kPowers5[static_cast<std::size_t>(q)],
            static_cast<unsigned>(23 + static_cast<int>(k) - q), q};
}

// From the 17 digits (the product shifted right by s, with the bits shifted
// out in `rest`): ties to even, then half up at the tenth decimal.
std::uint64_t round_units(const Scaled& x, std::uint64_t digits17, std::uint64_t rest) {
    const std::uint64_t half = std::uint64_t{1} << (x.s - 1);
    if (rest > half || (rest == half && (digits17 & 1) != 0)) ++digits17;
    // Drop the last q - 10 digits.
    const std::uint64_t unit = kPowers10[static_cast<std::size_t>(x.q - 10)];
    return (digits17 + unit / 2) / unit;
}

}  // namespace

std::uint64_t units_by_17_digits_portable(std::uint32_t bits) {
    const Scaled x = scale(bits);
    // The product m * 5^q as two 64-bit words, from two 32 x 32 bit halves.
    const std::uint64_t low_half = x.m * (x.power & 0xFFFFFFFFu);  // below 2^56
    const std::uint64_t high_half = x.m * (x.power >> 32);         // below 2^55
    const std::uint64_t low = low_half + (high_half << 32);
    const std::uint64_t high = (high_half >> 32) + (low < low_half ? 1 : 0);
    const std::uint64_t digits17 = (low >> x.s) | (high << (64 - x.s));
    const std::uint64_t rest = low & ((std::uint64_t{1} << x.s) - 1);
    return round_units(x, digits17, rest);
}

#ifdef __SIZEOF_INT128__

std::uint64_t units_by_17_digits(std::uint32_t bits) {
    __extension__ typedef unsigned __int128 Wide;
    const Scaled x = scale(bits);
    const Wide product = static_cast<Wide>(x.m) * x.power;
    const auto digits17 = static_cast<std::uint64_t>(product >> x.s);
    const auto rest = static_cast<std::uint64_t>(product) & ((std::uint64_t{1} << x.s) - 1);
    return round_units(x, digits17, rest);
}

#else

std::uint64_t units_by_17_digits(std::uint32_t bits) { return units_by_17_digits_portable(bits); }

#endif

}  // namespace tamboril::records::fast_fixed
