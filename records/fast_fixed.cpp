#include "records/fast_fixed.hpp"

#include <array>

namespace tamboril::records::fast_fixed {

namespace {

__extension__ typedef unsigned __int128 Wide;

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

}  // namespace

std::uint64_t units_by_17_digits(std::uint32_t bits) {
    const std::uint32_t k = 127 - (bits >> 23);
    const std::uint32_t m = (bits & 0x7FFFFFu) | 0x800000u;
    const Binade& binade = kBinades[k];
    const int q = binade.decimals - (m >= binade.next_power ? 1 : 0);
    // value * 10^q = m * 5^q / 2^s with s = 23 + k - q, at least 7; the
    // product stays below 2^24 * 5^27 < 2^87.
    const auto s = static_cast<unsigned>(23 + static_cast<int>(k) - q);
    const Wide product = static_cast<Wide>(m) * kPowers5[static_cast<std::size_t>(q)];
    auto digits17 = static_cast<std::uint64_t>(product >> s);
    const auto rest = static_cast<std::uint64_t>(product) & ((std::uint64_t{1} << s) - 1);
    const std::uint64_t half = std::uint64_t{1} << (s - 1);
    if (rest > half || (rest == half && (digits17 & 1) != 0)) ++digits17;
    // Half up at the tenth decimal: drop the last q - 10 digits.
    const std::uint64_t unit = kPowers10[static_cast<std::size_t>(q - 10)];
    return (digits17 + unit / 2) / unit;
}


}  // namespace tamboril::records::fast_fixed
